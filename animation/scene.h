// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class Canvas;
class PressHost;

// The geometry of one press, computed afresh from the constants and the
// current settings each time "Start" is pressed.
struct Scene
{
    double frequency = 0.0;
    double shift = 0.0;
    int fieldWidth = 0;
    int fieldHeight = 0;
    double phaseFactor = 0.0;
    int leftMargin = 0;
    double mirrorY = 0.0;
    int arrowUnit = 0;
    int elementWidth = 0;
    double halfElementWidth = 0.0;
    int elementCount = 0;
    double sourceX = 0.0;
    double sourceY = 0.0;
    double detectorX = 0.0;
    double detectorY = 0.0;
    double chainStartX = 0.0;
    double chainStartY = 0.0;

    // The design reads the shift once for the source and once for the
    // detector; both readings are given.
    static Scene compute(double frequency, double sourceShift, double detectorShift);
};

// The first stretch of a press: the surface prepared, the background band
// over the previous picture, the settings read, and the static scene drawn.
namespace SetUp {
Scene draw(Canvas &canvas, const PressHost &host);
} // namespace SetUp
