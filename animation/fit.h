// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The window's content (the 800 x 581 field with every control on it) at
// the largest size that a client area holds, its proportions kept,
// centred: a projector, a netbook, a phone. Every front end fits the same.
namespace Fit {

struct Placement
{
    double scale = 1.0; // client pixels per design pixel
    double left = 0.0;  // where the content starts in the client area
    double top = 0.0;
};

// For a client area in its own (logical) pixels on a screen of the given
// device pixel ratio. The scale is snapped so that the content is a whole
// number of device pixels wide (a backing store of whole pixels), and the
// offsets to whole device pixels, so that nothing stands between pixels.
Placement place(double clientWidth, double clientHeight, double devicePixelRatio);

} // namespace Fit
