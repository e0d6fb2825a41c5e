// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <string_view>

// Turns the countdown of a pause into time, so that the animation keeps
// one pace on every machine: 300000 steps last 50 ms.
namespace Pacer {

inline constexpr double StepsPerUnit = 300000;
inline constexpr std::chrono::milliseconds UnitDuration{50};
// The slowest the controls offer; longer pauses are cut to it.
inline constexpr double MaxSteps = 20 * StepsPerUnit;

// The length of a countdown of this many steps.
std::chrono::nanoseconds durationFor(double steps);
// The pause after an element for a slowdown text.
std::chrono::nanoseconds pauseFor(std::string_view slowdownText);

} // namespace Pacer
