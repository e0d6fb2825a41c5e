// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "inputhold.h"

#include <QCoreApplication>
#include <QEvent>
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
        target = widget->window()->windowHandle();
        break;
    }
    default:
        return false;
    }
    m_held.emplace_back(target, event->clone());
    return true;
}

void InputHold::release()
{
    // The event loop owns what is posted to it.
    for (auto &[target, event] : m_held)
        if (target)
            QCoreApplication::postEvent(target, event.release());
    m_held.clear();
}
