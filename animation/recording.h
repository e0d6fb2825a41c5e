// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas.h"
#include "pacer.h"
#include "presshost.h"

#include <vector>

// What a press does, kept: every drawing operation goes on to the canvas
// behind (if any) at once and is recorded with the drawing state in force,
// so that a front end can draw the picture again at another size or pixel
// ratio (a resize, a zoom, paper), also in the middle of a press. What the
// press asks of its host may be noted among them, in order, for a record
// of the whole press. A new press starts a new recording.
class Recording : public Canvas
{
public:
    enum class Kind { ScaleMode, DrawWidth, FillStyle, FillColor, Line, Circle, Left, Top, Visible, Read, Pause };

    struct Operation
    {
        Kind kind;
        std::int16_t flags = 0;
        float a = 0, b = 0, c = 0, d = 0; // coordinates, radius or value
        std::uint32_t color = 0;          // a colour, or the state's new value
        ResultLabel label = ResultLabel::Radius;
        Setting setting = Setting::Posun;
        Pacer::Duration pause{};
        // The drawing state in force when it was made.
        int drawWidth = 1;
        int fillStyle = FillStyle::Transparent;
        std::uint32_t fillColor = 0;
    };

    Recording() = default;
    explicit Recording(Canvas &target) : m_target(&target) {}

    void setScaleMode(int mode) override;
    void setDrawWidth(int width) override;
    void setFillStyle(int style) override;
    void setFillColor(std::uint32_t color) override;
    void line(std::int16_t flags, float x1, float y1, float x2, float y2, std::uint32_t color) override;
    void circle(std::int16_t flags, float x, float y, float radius, std::uint32_t color) override;

    // An operation of the host's, stamped with the drawing state.
    void note(Operation operation);

    void clear();
    // Every drawing operation recorded, in order, on another canvas (or the
    // same one), once it is an empty field again: the background band that
    // a press paints first changes nothing there and is left out (two
    // thirds of a press's operations).
    void replay(Canvas &canvas) const;
    const std::vector<Operation> &operations() const { return m_operations; }
    std::size_t size() const { return m_operations.size(); }
    // The drawing state now.
    int drawWidth() const { return m_drawWidth; }
    int fillStyle() const { return m_fillStyle; }
    std::uint32_t fillColor() const { return m_fillColor; }

private:
    Operation stamped(Kind kind) const;

    Canvas *m_target = nullptr;
    std::vector<Operation> m_operations;
    int m_drawWidth = 1;
    int m_fillStyle = FillStyle::Transparent;
    std::uint32_t m_fillColor = 0;
};
