// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pacer.h"

#include <cmath>
#include <thread>

std::chrono::nanoseconds Pacer::durationFor(double steps)
{
    // Negative, non-number or empty slowdowns do not pause at all.
    if (!(steps > 0))
        return std::chrono::nanoseconds::zero();
    if (steps > MaxSteps)
        steps = MaxSteps;
    const double ns = steps / StepsPerUnit * double(std::chrono::nanoseconds(UnitDuration).count());
    return std::chrono::nanoseconds(std::llround(ns));
}

std::chrono::steady_clock::time_point Pacer::deadlineFor(double steps)
{
    return std::chrono::steady_clock::now() + durationFor(steps);
}

void Pacer::waitUntil(std::chrono::steady_clock::time_point deadline)
{
    while (std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_until(deadline);
}
