// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas.h"

#include <vector>

// What a press draws, kept: every operation goes on to the canvas behind
// at once and is recorded, so that a front end can draw the picture again
// at another size or pixel ratio (a resize, a zoom, paper), also in the
// middle of a press. A new press starts a new recording.
class Recording : public Canvas
{
public:
    explicit Recording(Canvas &target) : m_target(&target) {}

    void setScaleMode(int mode) override;
    void setDrawWidth(int width) override;
    void setFillStyle(int style) override;
    void setFillColor(std::uint32_t color) override;
    void line(std::int16_t flags, float x1, float y1, float x2, float y2, std::uint32_t color) override;
    void circle(std::int16_t flags, float x, float y, float radius, std::uint32_t color) override;

    void clear() { m_operations.clear(); }
    // Every operation recorded, in order, on another canvas (or the same
    // one), once it is an empty field again: the background band that a
    // press paints first changes nothing there and is left out (two thirds
    // of a press's operations).
    void replay(Canvas &canvas) const;
    std::size_t size() const { return m_operations.size(); }

private:
    enum class Kind { ScaleMode, DrawWidth, FillStyle, FillColor, Line, Circle };
    struct Operation
    {
        Kind kind;
        std::int16_t flags = 0;
        float a = 0, b = 0, c = 0, d = 0;
        std::uint32_t value = 0; // a colour, or the state's new value
    };

    Canvas *m_target;
    std::vector<Operation> m_operations;
};
