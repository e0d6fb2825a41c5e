// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "description.h"

#include "press.h"

#include <algorithm>
#include <cmath>

namespace Description {

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr int Directions = 8;
constexpr double ChainArrowUnits = 3.5;
constexpr double MaxSpoken = 1e12;

// A number as a person says it: whole, or with one decimal after a comma
// when it has one. Made by hand: printf follows the process's locale.
std::string spoken(double value, int decimals)
{
    // Texts the controls never write can make any number; none may overflow.
    value = std::isfinite(value) ? std::clamp(value, -MaxSpoken, MaxSpoken) : 0.0;
    long scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    const long scaled = std::lround(std::abs(value) * double(scale));
    std::string s = value < 0 && scaled != 0 ? "-" : "";
    s += std::to_string(scaled / scale);
    if (scaled % scale != 0) {
        std::string fraction = std::to_string(scaled % scale);
        fraction.insert(0, std::size_t(decimals) - fraction.size(), '0');
        while (fraction.back() == '0')
            fraction.pop_back();
        s += ',';
        s += fraction;
    }
    return s;
}

// A length in whole pixels, with the Czech plural.
std::string pixels(double length)
{
    const std::string n = spoken(length, 0);
    return n + (n == "1" || n == "-1" ? " pixel" : n == "2" || n == "3" || n == "4" ? " pixely" : " pixelů");
}

std::string settings(const Scene &s)
{
    return "posun " + spoken(s.shift, 1) + ", kmitočet " + spoken(s.frequency, 1);
}

std::string during(const Press &press)
{
    const Progress &p = press.progress();
    const Scene &s = press.scene();
    if (p.element == 0)
        return "Animace začíná (" + settings(s) + ").";
    return "Animace běží (" + settings(s) + "): element " + std::to_string(p.element) + " z "
           + std::to_string(s.elementCount) + ", dráha " + pixels(p.pathLength)
           + ", radiusvektor míří " + direction(std::cos(p.angle), std::sin(p.angle)) + ".";
}

std::string leastTime(const Scene &s, double leastTimeX)
{
    // Element n's centre lies an odd number of half widths right of the
    // mirror's left end; the tie rule moves the point onto a boundary,
    // an even number of them.
    const double halves = (leastTimeX - (s.leftMargin + s.elementWidth)) / s.halfElementWidth;
    const long k = std::isfinite(halves) ? std::lround(std::clamp(halves, -MaxSpoken, MaxSpoken)) : 0;
    if (k % 2)
        return "Nejkratší dráhu má element " + std::to_string((k + 1) / 2)
               + "; značka nejkratšího času prochází jeho středem.";
    return "Nejkratší dráhu mají elementy " + std::to_string(k / 2) + " a " + std::to_string(k / 2 + 1)
           + "; značka nejkratšího času stojí mezi nimi.";
}

std::string after(const Press &press, const SweepResult &r)
{
    const Scene &s = press.scene();
    const double dx = r.chainTipX - s.chainStartX, dy = r.chainTipY - s.chainStartY;
    const double arrows = std::hypot(dx, dy) / (s.arrowUnit * ChainArrowUnits);
    return "Nakresleno s nastavením " + settings(s) + ". " + leastTime(s, r.leastTimeX)
           + " Součet radiusvektorů má délku " + spoken(arrows, 1) + " šipky řetězu a míří "
           + direction(dx, dy) + ".";
}

} // namespace

std::string direction(double dx, double dy)
{
    static const char *const Words[Directions] = {"vpravo", "vpravo nahoru", "nahoru", "vlevo nahoru",
                                                  "vlevo",  "vlevo dolů",    "dolů",   "vpravo dolů"};
    // Up is against the screen's y.
    const double turns = std::atan2(-dy, dx) / (2 * Pi);
    const long sector = std::lround(turns * Directions);
    return Words[((sector % Directions) + Directions) % Directions];
}

std::string of(const Press *press)
{
    if (!press || !press->started())
        return "Obraz je prázdný. Tlačítko Start ho nakreslí.";
    if (const auto results = press->results())
        return after(*press, *results);
    return during(*press);
}

} // namespace Description
