// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class Canvas;
class PressHost;
struct Scene;

// What the sweep over the mirror elements leaves for the resultant.
struct SweepResult
{
    double chainTipX = 0.0;
    double chainTipY = 0.0;
    double leastTimeX = 0.0;
    double leastTimeGraphY = 0.0;

    // Visits the elements left to right: path, arrow, graph point, chain
    // arrow, least-time bookkeeping and the pause after each one.
    static SweepResult run(Canvas &canvas, PressHost &host, const Scene &scene);
};
