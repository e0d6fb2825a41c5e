// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "recordinghost.h"

QList<RecordingHost::Op> RecordingHost::of(Kind kind) const
{
    QList<Op> out;
    for (const Op &op : ops)
        if (op.kind == kind)
            out << op;
    return out;
}

RecordingHost::Op RecordingHost::stamped(Kind kind) const
{
    Op op{kind};
    op.drawWidth = drawWidth;
    op.fillStyle = fillStyle;
    op.fillColor = fillColor;
    return op;
}

void RecordingHost::setScaleMode(int mode)
{
    Op op = stamped(Kind::ScaleMode);
    op.a = float(mode);
    ops << op;
}

void RecordingHost::setDrawWidth(int width)
{
    drawWidth = width;
    Op op = stamped(Kind::DrawWidth);
    op.a = float(width);
    ops << op;
}

void RecordingHost::setFillStyle(int style)
{
    fillStyle = style;
    Op op = stamped(Kind::FillStyle);
    op.a = float(style);
    ops << op;
}

void RecordingHost::setFillColor(std::uint32_t color)
{
    fillColor = color;
    Op op = stamped(Kind::FillColor);
    op.color = color;
    ops << op;
}

void RecordingHost::line(std::int16_t flags, float x1, float y1, float x2, float y2, std::uint32_t color)
{
    Op op = stamped(Kind::Line);
    op.flags = flags;
    op.a = x1, op.b = y1, op.c = x2, op.d = y2;
    op.color = color;
    ops << op;
}

void RecordingHost::circle(std::int16_t flags, float x, float y, float radius, std::uint32_t color)
{
    Op op = stamped(Kind::Circle);
    op.flags = flags;
    op.a = x, op.b = y, op.c = radius;
    op.color = color;
    ops << op;
}

void RecordingHost::setLabelLeft(ResultLabel label, float left)
{
    Op op = stamped(Kind::Left);
    op.label = label;
    op.a = left;
    ops << op;
}

void RecordingHost::setLabelTop(ResultLabel label, float top)
{
    Op op = stamped(Kind::Top);
    op.label = label;
    op.a = top;
    ops << op;
}

void RecordingHost::setLabelVisible(ResultLabel label, bool visible)
{
    Op op = stamped(Kind::Visible);
    op.label = label;
    op.a = visible ? 1 : 0;
    ops << op;
}

std::string RecordingHost::settingText(Setting setting) const
{
    Op op = stamped(Kind::Read);
    op.setting = setting;
    ops << op;
    return texts.value(setting).toStdString();
}

void RecordingHost::pause(std::chrono::nanoseconds length)
{
    Op op = stamped(Kind::Pause);
    op.pause = length;
    ops << op;
}

void RecordingHost::pressOn(Canvas &canvas)
{
    Press press(canvas, *this);
    while (const auto length = press.step())
        pause(*length);
}
