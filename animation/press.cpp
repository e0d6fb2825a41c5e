// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "press.h"

#include "resultant.h"
#include "scene.h"
#include "sweep.h"

void Press::run(Canvas &canvas, PressHost &host)
{
    const Scene scene = Scene::setUp(canvas, host);
    const SweepResult sweep = SweepResult::run(canvas, host, scene);
    Resultant::draw(canvas, host, scene, sweep);
}
