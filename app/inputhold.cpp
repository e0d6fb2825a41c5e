// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "inputhold.h"

#include "layout.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>
#include <QDebug>

InputHold::InputHold(QWidget &window, const Layout &layout, AtOnce atOnce)
    : m_window(window), m_layout(layout), m_atOnce(std::move(atOnce))
{
}

InputHold::~InputHold() = default;

bool InputHold::eventFilter(QObject *target, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
        // Held where the window system hands them to the window, so that
        // they find their control afresh when they are taken.
        if (!target->isWindowType())
            return false;
        // What Qt makes of a touch comes again from the touch itself.
        if (event->type() != QEvent::Wheel
            && static_cast<const QMouseEvent *>(event)->source() == Qt::MouseEventSynthesizedByQt)
            return true;
        if (m_atOnce(event))
            return true;
        break;
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
        if (!target->isWindowType())
            return false;
        holdTouch(target, event);
        return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        // On the window, a key is on its way to a screen reader, which
        // hands it back unless it takes it. Held once it reaches the
        // control, and given to the window again, so that it goes to
        // whatever has the focus when it is taken.
        auto *widget = qobject_cast<QWidget *>(target);
        if (!widget || !widget->window()->windowHandle())
            return false;
        if (m_atOnce(event))
            return true;
        target = widget->window()->windowHandle();
        break;
    }
    default:
        return false;
    }
    QPointF design;
    if (const auto *single = dynamic_cast<const QSinglePointEvent *>(event))
        design = m_layout.toDesign(m_window.mapFromGlobal(single->globalPosition()));
    m_held.push_back({target, std::shared_ptr<QEvent>(event->clone()), design, {}});
    return true;
}

// A finger as the mouse Qt makes of it for widgets: down, along, up.
void InputHold::holdTouch(QObject *target, const QEvent *event)
{
    const auto *touch = static_cast<const QTouchEvent *>(event);
    if (touch->points().isEmpty() || event->type() == QEvent::TouchCancel)
        return;
    const QEventPoint &point = touch->points().first();
    QEvent::Type type = QEvent::MouseMove;
    Qt::MouseButtons buttons = Qt::LeftButton;
    if (event->type() == QEvent::TouchBegin) {
        type = QEvent::MouseButtonPress;
    } else if (event->type() == QEvent::TouchEnd) {
        type = QEvent::MouseButtonRelease;
        buttons = Qt::NoButton;
    }
    auto mouse = std::make_shared<QMouseEvent>(type, point.position(), point.position(), point.globalPosition(),
                                               Qt::LeftButton, buttons, touch->modifiers());
    mouse->setTimestamp(touch->timestamp());
    m_held.push_back({target, std::move(mouse), m_layout.toDesign(m_window.mapFromGlobal(point.globalPosition())), {}});
}

void InputHold::enqueue(std::function<void()> handler)
{
    m_held.push_back({&m_window, nullptr, {}, std::move(handler)});
}

void InputHold::release()
{
    for (std::size_t i = 0; i < m_held.size(); ++i) {
        Held &held = m_held[i];
        if (!held.target)
            continue;
        // The press that begins a double click is Qt's to drop: the double
        // click that follows stands for it.
        const bool doubled = i + 1 < m_held.size() && m_held[i + 1].event
                             && m_held[i + 1].event->type() == QEvent::MouseButtonDblClick;
        if (held.event && held.event->type() == QEvent::MouseButtonPress && doubled)
            continue;
        // The window and its layout outlive what is queued for its window.
        auto take = held.handler ? std::move(held.handler)
                                 : [&window = m_window, &layout = m_layout, held] { InputHold::take(window, layout, held); };
        QMetaObject::invokeMethod(held.target, std::move(take), Qt::QueuedConnection);
    }
    m_held.clear();
}

void InputHold::take(QWidget &window, const Layout &layout, const Held &held)
{
    if (!held.target)
        return;
    // A click where its control stands now: the window may have been
    // resized or moved to a screen of another scale meanwhile.
    if (const auto *mouse = dynamic_cast<const QMouseEvent *>(held.event.get()); mouse && held.target->isWindowType()) {
        // The window's own pixels are the top-level widget's.
        const QPointF local = layout.fromDesign(held.design);
        QMouseEvent moved(mouse->type(), local, local, window.mapToGlobal(local), mouse->button(), mouse->buttons(),
                          mouse->modifiers(), mouse->pointingDevice());
        moved.setTimestamp(mouse->timestamp());
        QCoreApplication::sendEvent(held.target, &moved);
        return;
    }
    QCoreApplication::sendEvent(held.target, held.event.get());
}
