// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "announcer.h"

#include "description.h"
#include "press.h"

std::optional<std::string> Announcer::afterStep(const Press &press, std::chrono::milliseconds now)
{
    if (press.finished()) {
        if (m_ended)
            return std::nullopt;
        m_ended = true;
    } else if (m_started && now - m_lastSaid < ProgressInterval) {
        return std::nullopt;
    }
    m_started = true;
    m_lastSaid = now;
    return Description::of(&press);
}
