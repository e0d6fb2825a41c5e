// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class Canvas;
class PressHost;
struct Scene;
struct SweepResult;

// The end of a press: least-time marker, shortest path, the green sum of
// the arrows, the end circles again, and the five labels placed and shown.
namespace Resultant {
void draw(Canvas &canvas, PressHost &host, const Scene &scene, const SweepResult &sweep);
} // namespace Resultant
