// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "announcer.h"

#include "description.h"
#include "press.h"

#include <algorithm>
#include <utility>

std::chrono::milliseconds Announcer::speakingTime(const std::string &text)
{
    // Characters, not bytes: UTF-8 continuation bytes do not count.
    const auto characters = std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    });
    return std::chrono::milliseconds((characters * 1000 + CharactersPerSecond - 1) / CharactersPerSecond);
}

std::optional<std::string> Announcer::say(std::string text, std::chrono::milliseconds now)
{
    m_quietAt = now + speakingTime(text);
    return text;
}

std::optional<std::string> Announcer::afterStep(const Press &press, std::chrono::milliseconds now)
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

std::optional<std::chrono::milliseconds> Announcer::due() const
{
    if (!m_held)
        return std::nullopt;
    return m_quietAt;
}

bool Announcer::describeNow(const Press &press, std::chrono::milliseconds now)
{
    if (press.finished())
        return !std::exchange(m_describedEnd, true);
    if (m_describedAt && now - *m_describedAt < DescriptionInterval)
        return false;
    m_describedAt = now;
    return true;
}
