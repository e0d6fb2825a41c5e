// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "inputhold.h"

#include "zrcadlo.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

InputHold::~InputHold() = default;

bool InputHold::eventFilter(QObject *target, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
        // Held where the window system hands them to the window, so that
        // they find their control afresh when they are taken.
        if (!target->isWindowType())
            return false;
        if (m_window->fullScreenInput(event))
            return true;
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        // On the window, a key is on its way to a screen reader, which
        // hands it back unless it takes it. Held once it reaches the
        // control, and given to the window again, so that it goes to
        // whatever has the focus when it is taken.
        auto *widget = qobject_cast<QWidget *>(target);
        if (!widget || !widget->window()->windowHandle())
            return false;
        if (m_window->fullScreenInput(event))
            return true;
        target = widget->window()->windowHandle();
        break;
    }
    default:
        return false;
    }
    QPointF design;
    if (const auto *single = dynamic_cast<const QSinglePointEvent *>(event))
        design = m_window->toDesign(m_window->mapFromGlobal(single->globalPosition()));
    m_held.push_back({target, std::unique_ptr<QEvent>(event->clone()), design});
    return true;
}

void InputHold::release()
{
    // The event loop owns what is posted to it.
    for (Held &held : m_held) {
        if (!held.target)
            continue;
        // A click where its control stands now: the window may have been
        // resized meanwhile.
        if (auto *mouse = dynamic_cast<QMouseEvent *>(held.event.get()); mouse && held.target->isWindowType()) {
            // The window's own pixels are the top-level widget's.
            const QPointF local = m_window->fromDesign(held.design);
            auto moved = std::make_unique<QMouseEvent>(mouse->type(), local, local, m_window->mapToGlobal(local),
                                                       mouse->button(), mouse->buttons(), mouse->modifiers(),
                                                       mouse->pointingDevice());
            moved->setTimestamp(mouse->timestamp());
            held.event = std::move(moved);
        }
        QCoreApplication::postEvent(held.target, held.event.release());
    }
    m_held.clear();
}
