// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "inputhold.h"
#include "pacer.h"

#include <functional>

class Layout;
class QWidget;

// A press as the window runs it: the user's input held meanwhile (one
// queue, in design coordinates), the pauses on the press's own schedule
// with the window system answered during them, and afterwards what waited,
// in order: the held input back to the event loop, and what came by other
// roads (an accessibility action, a close request) run then. Never a press
// inside a press.
class PressRun
{
public:
    PressRun(QWidget &window, const Layout &layout, InputHold::AtOnce atOnce, std::function<void()> show);

    bool running() const { return m_running; }
    // Runs `press` with input held, then `over` once it is no longer
    // running; what waited follows through the event loop.
    void run(const std::function<void()> &press, const std::function<void()> &over);
    // Runs a handler now, or, while a press runs, after it, in order.
    void whenIdle(std::function<void()> handler);

    // The pause after an element: everything drawn is shown, the window
    // system is answered, and the user's input waits.
    void pause(Pacer::Duration length);
    // How long before the end of a pause its event handling stops, so that
    // an event being handled then cannot make the pause late.
    static constexpr std::chrono::milliseconds WakeMargin{3};

private:
    QWidget &m_window;
    const Layout &m_layout;
    InputHold::AtOnce m_atOnce;
    std::function<void()> m_show;
    bool m_running = false;
    Pacer::Schedule m_schedule;
    InputHold *m_hold = nullptr; // while a press runs
};
