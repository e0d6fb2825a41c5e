// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QPointF>
#include <QPointer>

#include <memory>
#include <vector>

class QEvent;
class Zrcadlo;

// The user's mouse and keys during a press: held while this filter is
// installed on the application, and handed back to the event loop by
// release(), in order, so that they are taken after the press as if they
// had just come. The window system's own events go on as usual. Keys reach
// a screen reader first, as they always do (it sees them on their way to
// the window); a key it takes is never held. Full screen is taken at once.
// A click keeps its place in the window's design, so that after a resize
// it lands on the control it was aimed at.
class InputHold : public QObject
{
public:
    explicit InputHold(Zrcadlo *window) : m_window(window) {}
    ~InputHold() override;

    void release();

protected:
    bool eventFilter(QObject *target, QEvent *event) override;

private:
    struct Held
    {
        QPointer<QObject> target;
        std::unique_ptr<QEvent> event;
        QPointF design; // a mouse event's place
    };
    Zrcadlo *m_window;
    std::vector<Held> m_held;
};
