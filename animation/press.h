// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "scene.h"
#include "sweep.h"

#include <chrono>
#include <optional>

class Canvas;
class PressHost;

// One press of "Start", from the background band to the shown labels, as
// an object that draws a stretch at a time, so that the caller decides how
// to wait: the desktop answers its window system, a page waits on a timer.
// Its values live as long as the object.
class Press
{
public:
    Press(Canvas &canvas, PressHost &host);

    // Draws up to the next pause and returns its length (the slowdown text
    // is read afresh for each); once the labels are shown, returns nothing
    // and draws nothing more.
    std::optional<std::chrono::nanoseconds> step();

    // Until the picture is complete, at the pace of the last pause: the
    // pauses still to come, that one included.
    std::chrono::nanoseconds timeLeft() const;

    bool started() const { return m_stage != Stage::SetUp; }
    bool finished() const { return m_stage == Stage::Done; }
    // Valid once started.
    const Scene &scene() const { return m_scene; }
    const Progress &progress() const { return m_sweep.progress(); }
    // The least-time point and graph y and the chain tip, once finished.
    std::optional<SweepResult> results() const;

private:
    enum class Stage { SetUp, Sweep, Done };

    Canvas &m_canvas;
    PressHost &m_host;
    Stage m_stage = Stage::SetUp;
    Scene m_scene;
    Sweep m_sweep{m_scene};
    std::chrono::nanoseconds m_lastPause{};
};
