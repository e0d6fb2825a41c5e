// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

// The window's content (the 800 x 581 field with every control on it) at
// the largest size that a client area holds, its proportions kept,
// centred: a projector, a netbook, a phone. Every front end fits the same,
// and maps input and places controls by the same rule.
namespace Fit {

struct Point
{
    double x = 0.0, y = 0.0;
};

// Whole window pixels: what a widget or a box can be placed at.
struct Box
{
    int x = 0, y = 0, width = 0, height = 0;
    constexpr bool operator==(const Box &) const = default;
};

struct Placement
{
    double scale = 1.0; // client pixels per design pixel
    double left = 0.0;  // where the content starts in the client area
    double top = 0.0;

    // A point of the client area in design pixels, and back.
    Point toDesign(Point window) const { return {(window.x - left) / scale, (window.y - top) / scale}; }
    Point fromDesign(Point design) const { return {left + design.x * scale, top + design.y * scale}; }
    // The one rounding rule: a design rectangle becomes whole window pixels
    // by rounding each edge once, so that neighbours stay neighbours and
    // the content's own box is the union of what lies in it. In a
    // container whose corner stands at `container` (design pixels of the
    // window), relative to where the same rule puts that corner.
    Box box(double x, double y, double width, double height, std::optional<Point> container = {}) const;
    // The content's own box: every device pixel of it is the window's.
    Box content() const;
};

// For a client area in its own (logical) pixels on a screen of the given
// device pixel ratio. The scale is snapped so that the content is a whole
// number of device pixels wide (a backing store of whole pixels), and the
// offsets to whole device pixels, so that nothing stands between pixels.
Placement place(double clientWidth, double clientHeight, double devicePixelRatio);

// The largest client area of the design's proportions that fits into an
// available one, for a window that would not fit its screen.
Box fitted(int availableWidth, int availableHeight);

} // namespace Fit
