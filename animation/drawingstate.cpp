// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "drawingstate.h"

namespace {
constexpr double TwipsPerPixel = 15.0;
} // namespace

double DrawingState::unit() const
{
    return m_scaleMode == ScaleMode::Twips ? 1.0 / TwipsPerPixel : 1.0;
}

std::uint32_t DrawingState::outlineRgb(std::int16_t flags, std::uint32_t color) const
{
    return Colors::rgb((flags & DrawFlags::ColourGiven) ? color : m_foreColor);
}
