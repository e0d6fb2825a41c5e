// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

// The drawing field: the part of the window a press draws on, in pixels.
namespace Field {
inline constexpr int Width = 800;
inline constexpr int Height = 581;
} // namespace Field

// Flag words of Line and Circle.
namespace DrawFlags {
inline constexpr std::int16_t ColourGiven = 2;
inline constexpr std::int16_t Line = 6;              // both points absolute, colour given
inline constexpr std::int16_t Circle = ColourGiven;  // absolute centre, colour given
inline constexpr std::int16_t CircleInForeColor = 0; // absolute centre, outline in the foreground colour
} // namespace DrawFlags

// Units of the coordinates.
namespace ScaleMode {
inline constexpr int Twips = 1;
inline constexpr int Pixels = 3;
} // namespace ScaleMode

// Whether a circle fills its interior.
namespace FillStyle {
inline constexpr int Solid = 0;
inline constexpr int Transparent = 1;
} // namespace FillStyle

// What a press draws with: the drawing state and the two drawing
// operations. Each front end's picture implements it; a test records
// through it.
class Canvas
{
public:
    virtual ~Canvas() = default;

    virtual void setScaleMode(int mode) = 0;
    virtual void setDrawWidth(int width) = 0;
    virtual void setFillStyle(int style) = 0;
    virtual void setFillColor(std::uint32_t color) = 0;
    virtual void line(std::int16_t flags, float x1, float y1, float x2, float y2, std::uint32_t color) = 0;
    // Every circle is whole and round: start, end and aspect are never given.
    virtual void circle(std::int16_t flags, float x, float y, float radius, std::uint32_t color) = 0;
};
