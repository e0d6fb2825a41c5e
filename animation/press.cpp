#include "press.h"

#include "resultant.h"
#include "scene.h"
#include "sweep.h"

void Press::run(PressHost &host)
{
    const Scene scene = Scene::setUp(host);
    const SweepResult sweep = SweepResult::run(host, scene);
    Resultant::draw(host, scene, sweep);
}
