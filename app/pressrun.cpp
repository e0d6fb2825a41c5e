// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pressrun.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include <thread>

PressRun::PressRun(QWidget &window, const Layout &layout, InputHold::AtOnce atOnce, std::function<void()> show)
    : m_window(window), m_layout(layout), m_atOnce(std::move(atOnce)), m_show(std::move(show))
{
}

void PressRun::run(const std::function<void()> &press, const std::function<void()> &over)
{
    m_running = true;
    m_window.setCursor(Qt::BusyCursor); // clicks now will wait
    InputHold hold(m_window, m_layout, m_atOnce);
    m_hold = &hold;
    QCoreApplication::instance()->installEventFilter(&hold);
    m_schedule = Pacer::Schedule(std::chrono::steady_clock::now().time_since_epoch());
    press();
    QCoreApplication::instance()->removeEventFilter(&hold);
    m_window.unsetCursor();
    m_hold = nullptr;
    m_running = false;
    over();
    // What came during the press, in the order it came, back to the event
    // loop, to be taken once the handler that runs the press has returned.
    // A Start among it presses again, and what follows waits for that press.
    hold.release();
}

void PressRun::whenIdle(std::function<void()> handler)
{
    // Taken from the queue, it may meet a press that a Start before it began.
    if (m_hold)
        m_hold->enqueue([this, handler = std::move(handler)] { whenIdle(handler); });
    else
        handler();
}

void PressRun::pause(Pacer::Duration length)
{
    // A pause shows everything drawn so far, and showing it counts as part
    // of the pause. No pause, no extra showing: the frame rule covers it.
    if (length <= Pacer::Duration::zero())
        return;
    const auto deadline = std::chrono::steady_clock::time_point(
        m_schedule.due(length, std::chrono::steady_clock::now().time_since_epoch()));
    m_show();
    // Meanwhile the window system is answered (pings, exposes, the
    // compositor's frames), so that the window never looks dead, and a
    // screen reader gets its keys; the user's input is held until the press
    // is over. The loop wakes a little early and the last stretch is
    // slept, so the pace stays exact.
    const auto loopFor = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - WakeMargin - std::chrono::steady_clock::now());
    if (loopFor.count() > 0) {
        QEventLoop loop;
        QTimer::singleShot(loopFor, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
    }
    // Sleeps, no busy waiting, until the deadline; a signal may wake it early.
    while (std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_until(deadline);
}
