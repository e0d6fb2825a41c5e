// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <optional>
#include <string_view>

// Turns the countdown of a pause into time, so that the animation keeps
// one pace on every machine: 300000 steps last 50 ms.
namespace Pacer {

// The core's one duration type: every time it takes or gives.
using Duration = std::chrono::nanoseconds;

inline constexpr double StepsPerUnit = 300000;
inline constexpr std::chrono::milliseconds UnitDuration{50};
// The slowest the controls offer; longer pauses are cut to it.
inline constexpr double MaxSteps = 20 * StepsPerUnit;

// The length of a countdown of this many steps.
std::chrono::nanoseconds durationFor(double steps);
// The pause after an element for a slowdown text.
std::chrono::nanoseconds pauseFor(std::string_view slowdownText);

// When the pauses of a press end, on a running deadline: each ends its
// length after the one before ended, so that drawing and a late wake-up do
// not stretch a press on a slow machine, and a press that fell behind does
// not hurry to catch up. The clock is the caller's; a new press, a new one.
class Schedule
{
public:
    Schedule() = default;
    // From the press's start, where the first pause's length counts from.
    explicit Schedule(std::chrono::nanoseconds start) : m_due(start) {}

    // When the pause of this length, begun now, is over.
    std::chrono::nanoseconds due(std::chrono::nanoseconds pause, std::chrono::nanoseconds now);

private:
    std::optional<std::chrono::nanoseconds> m_due;
};

} // namespace Pacer
