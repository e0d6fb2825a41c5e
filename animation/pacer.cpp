#include "pacer.h"

#include <cmath>
#include <thread>

std::chrono::nanoseconds Pacer::durationFor(double steps)
{
    // Negative, non-number or empty slowdowns do not pause at all.
    if (!(steps > 0))
        return std::chrono::nanoseconds::zero();
    if (steps > MaxSteps)
        steps = MaxSteps;
    const double ns = steps / StepsPerUnit * double(std::chrono::nanoseconds(UnitDuration).count());
    return std::chrono::nanoseconds(std::llround(ns));
}

void Pacer::wait(double steps)
{
    const auto duration = durationFor(steps);
    if (duration == std::chrono::nanoseconds::zero())
        return;
    const auto deadline = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_until(deadline);
}
