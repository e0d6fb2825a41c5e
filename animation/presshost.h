// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

// The five labels that the end of a press places and shows.
enum class ResultLabel { Radius, Cas, Zdroj, Detektor, Soucet };

inline constexpr ResultLabel ResultLabels[] = {ResultLabel::Radius, ResultLabel::Cas, ResultLabel::Zdroj,
                                               ResultLabel::Detektor, ResultLabel::Soucet};

// The three settings texts that a press reads.
enum class Setting { Posun, Kmitocet, Spomaleni };

// What a Start press needs from the window besides drawing: the result
// labels and the settings texts. Pauses are the caller's: see Press.
class PressHost
{
public:
    virtual ~PressHost() = default;

    virtual void setLabelLeft(ResultLabel label, float left) = 0;
    virtual void setLabelTop(ResultLabel label, float top) = 0;
    virtual void setLabelVisible(ResultLabel label, bool visible) = 0;

    // The current text, UTF-8; a copy, so it outlives the control's own.
    virtual std::string settingText(Setting setting) const = 0;
};
