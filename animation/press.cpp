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
