// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "recording.h"

#include "colors.h"

Recording::Operation Recording::stamped(Kind kind) const
{
    Operation o{kind};
    o.drawWidth = m_drawWidth;
    o.fillStyle = m_fillStyle;
    o.fillColor = m_fillColor;
    return o;
}

void Recording::note(Operation operation)
{
    Operation o = stamped(operation.kind);
    o.a = operation.a;
    o.label = operation.label;
    o.setting = operation.setting;
    o.pause = operation.pause;
    m_operations.push_back(o);
}

void Recording::clear()
{
    m_operations.clear();
}

void Recording::setScaleMode(int mode)
{
    Operation o = stamped(Kind::ScaleMode);
    o.a = float(mode);
    m_operations.push_back(o);
    if (m_target)
        m_target->setScaleMode(mode);
}

void Recording::setDrawWidth(int width)
{
    m_drawWidth = width;
    Operation o = stamped(Kind::DrawWidth);
    o.a = float(width);
    m_operations.push_back(o);
    if (m_target)
        m_target->setDrawWidth(width);
}

void Recording::setFillStyle(int style)
{
    m_fillStyle = style;
    Operation o = stamped(Kind::FillStyle);
    o.a = float(style);
    m_operations.push_back(o);
    if (m_target)
        m_target->setFillStyle(style);
}

void Recording::setFillColor(std::uint32_t color)
{
    m_fillColor = color;
    Operation o = stamped(Kind::FillColor);
    o.color = color;
    m_operations.push_back(o);
    if (m_target)
        m_target->setFillColor(color);
}

void Recording::line(std::int16_t flags, float x1, float y1, float x2, float y2, std::uint32_t color)
{
    Operation o = stamped(Kind::Line);
    o.flags = flags;
    o.a = x1, o.b = y1, o.c = x2, o.d = y2;
    o.color = color;
    m_operations.push_back(o);
    if (m_target)
        m_target->line(flags, x1, y1, x2, y2, color);
}

void Recording::circle(std::int16_t flags, float x, float y, float radius, std::uint32_t color)
{
    Operation o = stamped(Kind::Circle);
    o.flags = flags;
    o.a = x, o.b = y, o.c = radius;
    o.color = color;
    m_operations.push_back(o);
    if (m_target)
        m_target->circle(flags, x, y, radius, color);
}

void Recording::replay(Canvas &canvas) const
{
    bool onEmptyField = true;
    for (const Operation &o : m_operations) {
        if (o.kind == Kind::Line || o.kind == Kind::Circle) {
            onEmptyField = onEmptyField && o.kind == Kind::Line && o.color == Colors::LightGrey;
            if (onEmptyField)
                continue;
        }
        switch (o.kind) {
        case Kind::ScaleMode: canvas.setScaleMode(int(o.a)); break;
        case Kind::DrawWidth: canvas.setDrawWidth(int(o.a)); break;
        case Kind::FillStyle: canvas.setFillStyle(int(o.a)); break;
        case Kind::FillColor: canvas.setFillColor(o.color); break;
        case Kind::Line: canvas.line(o.flags, o.a, o.b, o.c, o.d, o.color); break;
        case Kind::Circle: canvas.circle(o.flags, o.a, o.b, o.c, o.color); break;
        default: break; // the host's: nothing to draw
        }
    }
}
