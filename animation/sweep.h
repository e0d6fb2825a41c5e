// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "scene.h"

// Where the sweep stands: the element last drawn (1 to 30; 0 before the
// first), its path length and its arrow angle in radians.
struct Progress
{
    int element = 0;
    double pathLength = 0.0;
    double angle = 0.0;
};

// What the sweep leaves for the resultant.
struct SweepResult
{
    double chainTipX = 0.0;
    double chainTipY = 0.0;
    double leastTimeX = 0.0;
    double leastTimeGraphY = 0.0;
};

// The sweep over the mirror elements, left to right, one element a call:
// path, arrow, graph point, chain arrow and the least-time bookkeeping.
class Sweep
{
public:
    explicit Sweep(const Scene &scene);

    bool done() const { return m_index > m_last; }
    void drawNext(Canvas &canvas);

    const Progress &progress() const { return m_progress; }
    const SweepResult &result() const { return m_result; }

private:
    Scene m_scene;
    int m_index = 1; // the odd sweep index of the next element
    int m_last = 0;
    Progress m_progress;
    SweepResult m_result;
};
