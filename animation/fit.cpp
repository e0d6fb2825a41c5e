// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fit.h"

#include "canvas.h"

#include <algorithm>
#include <cmath>

namespace Fit {

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

} // namespace Fit
