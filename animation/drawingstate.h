// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas.h"
#include "colors.h"

// The drawing state a window keeps between operations and presses, and
// what Line and Circle make of it, for every front end's picture: the
// unit of the coordinates, the width, the fill, and the outline colour
// (the foreground colour when a call gives none), resolved to 0xRRGGBB.
class DrawingState : public Canvas
{
public:
    void setScaleMode(int mode) override { m_scaleMode = mode; }
    void setDrawWidth(int width) override { m_drawWidth = width < 1 ? 1 : width; }
    void setFillStyle(int style) override { m_fillStyle = style; }
    void setFillColor(std::uint32_t color) override { m_fillColor = color; }
    void setForeColor(std::uint32_t color) { m_foreColor = color; }

    int scaleMode() const { return m_scaleMode; }
    int drawWidth() const { return m_drawWidth; }
    int fillStyle() const { return m_fillStyle; }
    std::uint32_t fillColor() const { return m_fillColor; }
    std::uint32_t foreColor() const { return m_foreColor; }

    // Pixels per unit of the coordinates.
    double unit() const;
    std::uint32_t outlineRgb(std::int16_t flags, std::uint32_t color) const;
    bool filled() const { return m_fillStyle == FillStyle::Solid; }
    std::uint32_t fillRgb() const { return Colors::rgb(m_fillColor); }

private:
    int m_scaleMode = ScaleMode::Twips; // until a press switches to pixels
    int m_drawWidth = 1;
    int m_fillStyle = FillStyle::Transparent;
    std::uint32_t m_fillColor = 0;
    std::uint32_t m_foreColor = Colors::ButtonText; // the window's default text colour
};
