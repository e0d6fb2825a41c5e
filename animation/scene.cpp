// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scene.h"

#include "canvas.h"
#include "colors.h"
#include "presshost.h"
#include "textnumber.h"

namespace {
// Rows of the background band, from the bottom of the field up.
constexpr int BandRows = 520;
constexpr int BandInset = 5;
} // namespace

Scene Scene::compute(double frequency, double sourceShift, double detectorShift)
{
    Scene s;
    s.frequency = frequency;
    s.shift = sourceShift;
    s.fieldWidth = Field::Width;
    s.fieldHeight = Field::Height;
    s.phaseFactor = (3 * (1.57041 / 100)) * frequency;
    s.leftMargin = 20;
    s.mirrorY = s.fieldHeight / 2.0;
    s.arrowUnit = 10;
    s.elementWidth = 2 * s.arrowUnit + 4;
    s.halfElementWidth = s.elementWidth / 2.0;
    s.elementCount = 30;

    const double mirrorCentre = (s.leftMargin + s.elementWidth) + (s.elementWidth * s.elementCount) / 2.0;
    s.sourceX = (mirrorCentre - 50) - sourceShift;
    s.sourceY = s.mirrorY - 50;
    s.detectorX = (mirrorCentre + 50) - detectorShift;
    s.detectorY = s.sourceY;
    s.chainStartX = s.detectorX + 140;
    s.chainStartY = s.detectorY - 50;
    return s;
}

namespace SetUp {

Scene draw(Canvas &canvas, const PressHost &host)
{
    canvas.setScaleMode(ScaleMode::Pixels);
    canvas.setDrawWidth(1);

    // One line per row, bottom first, covering whatever the last press drew.
    for (int r = 1; r <= BandRows; ++r)
        canvas.line(DrawFlags::Line, BandInset, float(Field::Height - r), float(Field::Width - BandInset),
                    float(Field::Height - r), Colors::LightGrey);

    const double frequency = Settings::toNumber(host.settingText(Setting::Kmitocet));
    const double sourceShift = Settings::toNumber(host.settingText(Setting::Posun));
    const double detectorShift = Settings::toNumber(host.settingText(Setting::Posun));
    const Scene s = Scene::compute(frequency, sourceShift, detectorShift);

    canvas.setDrawWidth(2);
    canvas.setFillColor(Colors::CaptionText);
    canvas.setFillStyle(FillStyle::Solid);
    canvas.circle(DrawFlags::Circle, float(s.sourceX), float(s.sourceY), 5, Colors::DarkGrey);

    canvas.setFillColor(Colors::ButtonFace);
    canvas.setFillStyle(FillStyle::Solid);
    canvas.circle(DrawFlags::Circle, float(s.detectorX), float(s.detectorY), 5, Colors::DarkGrey);

    canvas.setDrawWidth(3);
    for (int i = 1; i <= s.elementCount; ++i) {
        const int left = s.leftMargin + i * s.elementWidth;
        canvas.line(DrawFlags::Line, float(left), float(s.mirrorY), float(s.leftMargin + (i + 1) * s.elementWidth),
                    float(s.mirrorY), Colors::DarkGrey);
        canvas.circle(DrawFlags::Circle, float(left), float(s.mirrorY), 1, Colors::DarkGrey);
    }

    canvas.circle(DrawFlags::Circle, float(s.chainStartX), float(s.chainStartY), 2, Colors::DarkGrey);

    canvas.setDrawWidth(1);
    return s;
}

} // namespace SetUp
