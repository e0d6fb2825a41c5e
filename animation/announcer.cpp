// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "announcer.h"

#include "description.h"
#include "press.h"

#include <algorithm>
#include <utility>

Announcer::Duration Announcer::speakingTime(const std::string &text)
{
    // Characters, not bytes: UTF-8 continuation bytes do not count.
    const auto characters = std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    });
    return std::chrono::milliseconds((characters * 1000 + CharactersPerSecond - 1) / CharactersPerSecond);
}

std::optional<std::string> Announcer::say(std::string text, Duration now)
{
    m_quietAt = now + speakingTime(text);
    return text;
}

std::optional<std::string> Announcer::afterStep(const Press &press, Duration now)
{
    if (!m_started) {
        m_started = true;
        return say(Start, now);
    }
    const bool quiet = now >= m_quietAt;
    if (press.finished()) {
        if (!m_ended) {
            m_ended = true;
            m_held = Description::of(&press);
        }
        if (!m_held || !quiet)
            return std::nullopt;
        return say(*std::exchange(m_held, std::nullopt), now);
    }
    if (!quiet)
        return std::nullopt;
    std::string progress = Description::of(&press);
    if (speakingTime(progress) > press.timeLeft())
        return std::nullopt;
    return say(std::move(progress), now);
}

std::optional<Announcer::Duration> Announcer::due() const
{
    if (!m_held)
        return std::nullopt;
    return m_quietAt;
}

bool Announcer::describeNow(const Press &press, Duration now)
{
    if (press.finished())
        return !std::exchange(m_describedEnd, true);
    if (m_describedAt && now - *m_describedAt < DescriptionInterval)
        return false;
    m_describedAt = now;
    return true;
}

Announcer::Narration Announcer::next(const Press *press, Duration now)
{
    if (!press)
        return {Description::of(nullptr), std::nullopt, std::nullopt};
    Narration n;
    if (describeNow(*press, now))
        n.description = Description::of(press);
    n.say = afterStep(*press, now);
    n.again = due();
    return n;
}
