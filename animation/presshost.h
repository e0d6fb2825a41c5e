// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

class QString;

// The five labels that the end of a press places and shows.
enum class ResultLabel { Radius, Cas, Zdroj, Detektor, Soucet };

inline constexpr ResultLabel ResultLabels[] = {ResultLabel::Radius, ResultLabel::Cas, ResultLabel::Zdroj,
                                               ResultLabel::Detektor, ResultLabel::Soucet};

// The three settings texts that a press reads.
enum class Setting { Posun, Kmitocet, Spomaleni };

// What a Start press needs from the window besides drawing: the result
// labels, the settings texts and the pause after each element.
class PressHost
{
public:
    virtual ~PressHost() = default;

    virtual void setLabelLeft(ResultLabel label, float left) = 0;
    virtual void setLabelTop(ResultLabel label, float top) = 0;
    virtual void setLabelVisible(ResultLabel label, bool visible) = 0;

    virtual QString settingText(Setting setting) const = 0;

    // Pause after an element, given as countdown steps (slowdown x 300000).
    virtual void pause(double steps) = 0;
};
