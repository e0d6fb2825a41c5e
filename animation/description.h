// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

class Press;

// What the picture shows, in short Czech sentences, for a screen reader:
// the facts a sighted user reads off it. Written once, for every front end.
namespace Description {

// Before the first press (no press given), during one, or after it: the
// settings it was drawn with, the shortest path and the sum of the arrows.
std::string of(const Press *press);

// One of eight directions a screen reader says well, for a direction on
// the screen (y downwards).
std::string direction(double dx, double dy);

} // namespace Description
