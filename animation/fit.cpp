// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fit.h"

#include "canvas.h"

#include <algorithm>
#include <cmath>

namespace Fit {

namespace {

int edge(double v)
{
    return int(std::lround(v));
}

} // namespace

Box Placement::box(double x, double y, double width, double height, std::optional<Point> container) const
{
    const Point o = container.value_or(Point{});
    const Point a = fromDesign({o.x + x, o.y + y});
    const Point b = fromDesign({o.x + x + width, o.y + y + height});
    Box r{edge(a.x), edge(a.y), edge(b.x) - edge(a.x), edge(b.y) - edge(a.y)};
    if (container) {
        const Point corner = fromDesign(o);
        r.x -= edge(corner.x);
        r.y -= edge(corner.y);
    }
    return r;
}

Box Placement::content() const
{
    return box(0, 0, Field::Width, Field::Height);
}

Placement place(double clientWidth, double clientHeight, double devicePixelRatio)
{
    const double ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    const double fits = std::min(clientWidth / Field::Width, clientHeight / Field::Height);
    // Down to whole device pixels of width, so that it still fits; never none.
    const double devicePixels = std::max(1.0, std::floor(Field::Width * fits * ratio + 1e-9));
    Placement p;
    p.scale = devicePixels / (Field::Width * ratio);
    p.left = std::max(0.0, std::round((clientWidth - Field::Width * p.scale) / 2 * ratio) / ratio);
    p.top = std::max(0.0, std::round((clientHeight - Field::Height * p.scale) / 2 * ratio) / ratio);
    return p;
}

Box fitted(int availableWidth, int availableHeight)
{
    const double s = std::min({1.0, double(availableWidth) / Field::Width, double(availableHeight) / Field::Height});
    return {0, 0, int(std::floor(Field::Width * s)), int(std::floor(Field::Height * s))};
}

} // namespace Fit
