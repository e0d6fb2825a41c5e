// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "pacer.h"

#include <optional>
#include <string>

class Press;

// What a screen reader is told over one press, spaced so that each message
// can be spoken to its end before the next one comes: a short start and
// the result always, progress only when the last message has had its time
// and the new one can end before the picture is complete, so that nothing
// stands between the complete picture and its result. An end that comes
// before the last message has had its time is held until then. The clock
// is the caller's.
class Announcer
{
public:
    using Duration = Pacer::Duration;

    // What a front end does after a step of the press, or when it was
    // asked to ask again: the picture's description to set, what to say,
    // and when to ask again (a held result; a new press drops it).
    struct Narration
    {
        std::optional<std::string> description;
        std::optional<std::string> say;
        std::optional<Duration> again;
    };
    // Before any press, the press is null: the empty picture's description.
    Narration next(const Press *press, Duration now);

    // A screen reader's default rate: about fifteen characters a second.
    static constexpr int CharactersPerSecond = 15;
    // What a press says first: the details are the picture's description's.
    static constexpr const char *Start = "Animace běží.";

    // How long a text takes to be spoken.
    static Duration speakingTime(const std::string &text);

private:
    // After a step of the press, or at due() once it is over: the text to
    // announce now, if any.
    std::optional<std::string> afterStep(const Press &press, Duration now);
    // When the held end may be said, if one is held.
    std::optional<Duration> due() const;
    // Whether the picture's description is to be set anew after a step: at
    // the start and the end, and between them once in a while. A screen
    // reader handles each change (Orca takes up to 150 ms for one in a
    // browser): one every step of a fast press would keep it behind, and
    // the result with it.
    bool describeNow(const Press &press, Duration now);
    static constexpr Duration DescriptionInterval = std::chrono::milliseconds(500);

    std::optional<std::string> say(std::string text, Duration now);

    bool m_started = false;
    bool m_ended = false;
    std::optional<std::string> m_held;
    Duration m_quietAt{}; // when the last message has been spoken
    std::optional<Duration> m_describedAt;
    bool m_describedEnd = false;
};
