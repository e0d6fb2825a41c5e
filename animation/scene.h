// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class Canvas;
class PressHost;

// The geometry of one press, computed afresh from the constants and the
// current settings each time "Start" is pressed.
struct Scene
{
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

    // Prepares the surface, paints the background band over the previous
    // picture, computes the scene and draws its static parts.
    static Scene setUp(Canvas &canvas, PressHost &host);
};
