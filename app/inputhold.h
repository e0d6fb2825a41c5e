// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QPointF>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class Layout;
class QEvent;
class QWidget;

// What arrives during a press, in one ordered queue: the user's mouse,
// touch and keys, held while this filter is installed on the application,
// and what comes by other roads (an accessibility action, a close request)
// as handlers. release() hands all of it back to the event loop, every one
// and in the order it came, so that it is taken after the press as if it
// had just come. The window system's own events go on as usual.
// Keys reach a screen reader first, as they always do (it sees them on
// their way to the window); a key it takes is never held. What `atOnce`
// takes (full screen) is not held. A click or a touch keeps its place in
// the window's design, so that after a resize or a change of scale it
// lands on the control it was aimed at; a touch comes back as the mouse
// input Qt makes of it for widgets.
class InputHold : public QObject
{
public:
    using AtOnce = std::function<bool(const QEvent *)>;
    InputHold(QWidget &window, const Layout &layout, AtOnce atOnce);
    ~InputHold() override;

    // A handler, in its place among the input.
    void enqueue(std::function<void()> handler);
    void release();

protected:
    bool eventFilter(QObject *target, QEvent *event) override;

private:
    struct Held
    {
        QPointer<QObject> target;
        std::shared_ptr<QEvent> event;
        QPointF design; // a pointer event's place
        std::function<void()> handler; // instead of an event
    };
    // Taking one held event, when its turn comes: a mouse event is made
    // then, at its design place, since Qt's pointer events share their
    // point with the device until they are delivered.
    static void take(QWidget &window, const Layout &layout, const Held &held);
    void holdTouch(QObject *target, const QEvent *event);

    QWidget &m_window;
    const Layout &m_layout;
    AtOnce m_atOnce;
    std::vector<Held> m_held;
};
