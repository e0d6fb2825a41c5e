// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "recording.h"

#include "colors.h"

void Recording::setScaleMode(int mode)
{
    m_operations.push_back({Kind::ScaleMode, 0, 0, 0, 0, 0, std::uint32_t(mode)});
    m_target->setScaleMode(mode);
}

void Recording::setDrawWidth(int width)
{
    m_operations.push_back({Kind::DrawWidth, 0, 0, 0, 0, 0, std::uint32_t(width)});
    m_target->setDrawWidth(width);
}

void Recording::setFillStyle(int style)
{
    m_operations.push_back({Kind::FillStyle, 0, 0, 0, 0, 0, std::uint32_t(style)});
    m_target->setFillStyle(style);
}

void Recording::setFillColor(std::uint32_t color)
{
    m_operations.push_back({Kind::FillColor, 0, 0, 0, 0, 0, color});
    m_target->setFillColor(color);
}

void Recording::line(std::int16_t flags, float x1, float y1, float x2, float y2, std::uint32_t color)
{
    m_operations.push_back({Kind::Line, flags, x1, y1, x2, y2, color});
    m_target->line(flags, x1, y1, x2, y2, color);
}

void Recording::circle(std::int16_t flags, float x, float y, float radius, std::uint32_t color)
{
    m_operations.push_back({Kind::Circle, flags, x, y, radius, 0, color});
    m_target->circle(flags, x, y, radius, color);
}

void Recording::replay(Canvas &canvas) const
{
    bool onEmptyField = true;
    for (const Operation &o : m_operations) {
        if (o.kind == Kind::Line || o.kind == Kind::Circle) {
            onEmptyField = onEmptyField && o.kind == Kind::Line && o.value == Colors::LightGrey;
            if (onEmptyField)
                continue;
        }
        switch (o.kind) {
        case Kind::ScaleMode: canvas.setScaleMode(int(o.value)); break;
        case Kind::DrawWidth: canvas.setDrawWidth(int(o.value)); break;
        case Kind::FillStyle: canvas.setFillStyle(int(o.value)); break;
        case Kind::FillColor: canvas.setFillColor(o.value); break;
        case Kind::Line: canvas.line(o.flags, o.a, o.b, o.c, o.d, o.value); break;
        case Kind::Circle: canvas.circle(o.flags, o.a, o.b, o.c, o.value); break;
        }
    }
}
