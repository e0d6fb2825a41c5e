// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>

// Turns the countdown of a pause into time on a monotonic clock, so that
// the animation keeps one pace on every machine: 300000 steps last 50 ms.
class Pacer
{
public:
    static constexpr double StepsPerUnit = 300000;
    static constexpr std::chrono::milliseconds UnitDuration{50};
    // The slowest the controls offer; longer pauses are cut to it.
    static constexpr double MaxSteps = 20 * StepsPerUnit;
    // How long before the end of a pause its event handling stops, so that
    // an event being handled then cannot make the pause late.
    static constexpr std::chrono::milliseconds WakeMargin{3};

    static std::chrono::nanoseconds durationFor(double steps);
    // When a pause that begins now is over.
    static std::chrono::steady_clock::time_point deadlineFor(double steps);
    // Sleeps (no busy waiting) until then.
    static void waitUntil(std::chrono::steady_clock::time_point deadline);
};
