// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sweep.h"

#include "canvas.h"
#include "colors.h"

#include <cmath>

namespace {
// Below any graph point, so the first element always takes the lead.
constexpr double NoGraphPointYet = -100000;
constexpr double ChainArrowUnits = 3.5;
} // namespace

Sweep::Sweep(const Scene &scene) : m_scene(scene), m_last(2 * scene.elementCount)
{
    m_result.chainTipX = scene.chainStartX;
    m_result.chainTipY = scene.chainStartY;
    m_result.leastTimeGraphY = NoGraphPointYet;
}

void Sweep::drawNext(Canvas &canvas)
{
    const Scene &s = m_scene;
    SweepResult &r = m_result;
    const double mirrorLeft = s.leftMargin + s.elementWidth;
    const double arrowRowY = s.mirrorY + s.arrowUnit + 5;
    const double baselineY = s.mirrorY + 200;
    const double mirrorRight = mirrorLeft + 2 * s.elementCount * s.halfElementWidth;
    const double chainArrow = s.arrowUnit * ChainArrowUnits;
    const auto dark = Colors::DarkGrey;

    const int i = m_index;
    m_index += 2;
    const double xM = mirrorLeft + i * s.halfElementWidth;

    canvas.line(DrawFlags::Line, float(s.sourceX), float(s.sourceY), float(xM), float(s.mirrorY), dark);
    canvas.line(DrawFlags::Line, float(xM), float(s.mirrorY), float(s.detectorX), float(s.detectorY), dark);

    // One root over all four squares, as the picture is meant to show.
    const double L = std::sqrt((s.sourceX - xM) * (s.sourceX - xM) + (s.mirrorY - s.sourceY) * (s.mirrorY - s.sourceY)
                               + (s.detectorX - xM) * (s.detectorX - xM)
                               + (s.mirrorY - s.detectorY) * (s.mirrorY - s.detectorY));
    const double theta = s.phaseFactor * L;
    const double c = std::cos(theta);
    const double sn = std::sin(theta);

    canvas.setDrawWidth(2);
    canvas.circle(DrawFlags::Circle, float(xM), float(arrowRowY), 2, dark);
    canvas.line(DrawFlags::Line, float(xM), float(arrowRowY), float(xM + s.arrowUnit * c),
                float(arrowRowY + s.arrowUnit * sn), dark);

    canvas.setDrawWidth(1);
    canvas.line(DrawFlags::Line, float(mirrorLeft), float(baselineY), float(mirrorRight), float(baselineY), dark);
    canvas.line(DrawFlags::Line, float(mirrorLeft), float(s.mirrorY + 50), float(mirrorLeft), float(baselineY), dark);

    canvas.setDrawWidth(2);
    const double g = baselineY - 0.2 * L;
    canvas.circle(DrawFlags::Circle, float(xM), float(g), 2, dark);

    canvas.setDrawWidth(1);
    const double nextX = r.chainTipX + chainArrow * c;
    const double nextY = r.chainTipY + chainArrow * sn;
    canvas.line(DrawFlags::Line, float(r.chainTipX), float(r.chainTipY), float(nextX), float(nextY), dark);
    r.chainTipX = nextX;
    r.chainTipY = nextY;

    // Symmetric elements have bit-equal lengths; a tie moves the point
    // half an element right, onto the boundary between the two.
    if (r.leastTimeGraphY < g) {
        r.leastTimeGraphY = g;
        r.leastTimeX = xM;
    } else if (r.leastTimeGraphY == g) {
        r.leastTimeX = r.leastTimeX + s.halfElementWidth;
    }

    m_progress = {(i + 1) / 2, L, theta};
}
