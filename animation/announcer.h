// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <optional>
#include <string>

class Press;

// What a screen reader is told over one press, spaced so that each message
// can be spoken to its end before the next one comes: the start and the
// end always, progress only when the last message has had its time. An
// end that comes too soon is held until then; the front end asks again at
// due(). The clock is the caller's.
class Announcer
{
public:
    // A screen reader's default rate: about fifteen characters a second.
    static constexpr int CharactersPerSecond = 15;

    // After a step of the press, or at due() once it is over: the text to
    // announce now, if any.
    std::optional<std::string> afterStep(const Press &press, std::chrono::milliseconds now);
    // When the held end may be said, if one is held.
    std::optional<std::chrono::milliseconds> due() const;

    // How long a text takes to be spoken.
    static std::chrono::milliseconds speakingTime(const std::string &text);

private:
    std::optional<std::string> say(std::string text, std::chrono::milliseconds now);

    bool m_started = false;
    bool m_ended = false;
    std::optional<std::string> m_held;
    std::chrono::milliseconds m_quietAt{}; // when the last message has been spoken
};
