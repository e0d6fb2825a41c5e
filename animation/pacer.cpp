// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pacer.h"

#include "textnumber.h"

#include <algorithm>
#include <cmath>

namespace Pacer {

std::chrono::nanoseconds durationFor(double steps)
{
    // Negative, non-number or empty slowdowns do not pause at all.
    if (!(steps > 0))
        return std::chrono::nanoseconds::zero();
    if (steps > MaxSteps)
        steps = MaxSteps;
    const double ns = steps / StepsPerUnit * double(std::chrono::nanoseconds(UnitDuration).count());
    return std::chrono::nanoseconds(std::llround(ns));
}

std::chrono::nanoseconds pauseFor(std::string_view slowdownText)
{
    return durationFor(Settings::toNumber(slowdownText) * StepsPerUnit);
}

std::chrono::nanoseconds Schedule::due(std::chrono::nanoseconds pause, std::chrono::nanoseconds now)
{
    m_due = m_due ? std::max(*m_due + pause, now) : now + pause;
    return *m_due;
}

} // namespace Pacer
