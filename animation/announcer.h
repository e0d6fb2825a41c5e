// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <optional>
#include <string>

class Press;

// What a live region says over one press: its start and its end always,
// its progress at most once every two seconds, so that a screen reader is
// never flooded. The clock is the caller's.
class Announcer
{
public:
    static constexpr std::chrono::milliseconds ProgressInterval{2000};

    // After a step of the press: the text to announce now, if any.
    std::optional<std::string> afterStep(const Press &press, std::chrono::milliseconds now);

private:
    bool m_started = false;
    bool m_ended = false;
    std::chrono::milliseconds m_lastSaid{};
};
