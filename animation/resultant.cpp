// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "resultant.h"

#include "canvas.h"
#include "colors.h"
#include "presshost.h"
#include "scene.h"
#include "sweep.h"

#include <string>

namespace {

void place(PressHost &host, ResultLabel label, double left, double top)
{
    host.setLabelLeft(label, float(left));
    host.setLabelTop(label, float(top));
}
} // namespace

namespace Resultant {

void draw(Canvas &canvas, PressHost &host, const Scene &s, const SweepResult &r)
{
    const auto dark = Colors::DarkGrey;

    canvas.line(DrawFlags::Line, float(r.leastTimeX), float(r.leastTimeGraphY), float(r.leastTimeX), 100, dark);

    canvas.setDrawWidth(2);
    canvas.line(DrawFlags::Line, float(r.leastTimeX), float(s.mirrorY), float(s.detectorX), float(s.detectorY), dark);
    canvas.line(DrawFlags::Line, float(r.leastTimeX), float(s.mirrorY), float(s.sourceX), float(s.sourceY), dark);

    canvas.line(DrawFlags::Line, float(s.detectorX + 140), float(s.detectorY - 50), float(r.chainTipX),
                float(r.chainTipY), Colors::Green);

    canvas.setFillColor(Colors::CaptionText);
    canvas.setFillStyle(FillStyle::Solid);
    canvas.circle(DrawFlags::Circle, float(s.detectorX), float(s.detectorY), 5, dark);
    // No colour given: the outline takes the window's foreground colour.
    canvas.circle(DrawFlags::CircleInForeColor, float(s.sourceX), float(s.sourceY), 5, 0);

    place(host, ResultLabel::Radius, s.fieldWidth - 380, s.mirrorY + 30);
    place(host, ResultLabel::Cas, (s.leftMargin + s.elementWidth) + 10, s.mirrorY + 50);
    place(host, ResultLabel::Zdroj, s.sourceX - 60, s.sourceY - 40);
    place(host, ResultLabel::Detektor, s.detectorX - 20, s.sourceY - 30);

    // Chosen by the texts themselves, not by the numbers the scene used.
    const std::string posun = host.settingText(Setting::Posun);
    if (posun == std::to_string(0)) {
        place(host, ResultLabel::Soucet, s.chainStartX + 20, s.chainStartY);
    } else if (posun == std::to_string(250)) {
        const std::string kmitocet = host.settingText(Setting::Kmitocet);
        if (kmitocet == "1")
            place(host, ResultLabel::Soucet, s.chainStartX + 100, s.chainStartY);
        else if (kmitocet == "2")
            place(host, ResultLabel::Soucet, s.chainStartX - 40, s.chainStartY - 90);
    }

    for (ResultLabel label : ResultLabels)
        host.setLabelVisible(label, true);
}

} // namespace Resultant
