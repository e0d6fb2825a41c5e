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
    const bool quiet = !m_started || now >= m_quietAt;
    if (press.finished()) {
        if (!m_ended) {
            m_ended = true;
            m_held = Description::of(&press);
        }
        if (!m_held || !quiet)
            return std::nullopt;
        m_started = true;
        return say(*std::exchange(m_held, std::nullopt), now);
    }
    if (!quiet)
        return std::nullopt;
    m_started = true;
    return say(Description::of(&press), now);
}

std::optional<std::chrono::milliseconds> Announcer::due() const
{
    if (!m_held)
        return std::nullopt;
    return m_quietAt;
}
