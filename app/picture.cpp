// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "picture.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>

Picture::Picture(QSize logicalSize, qreal devicePixelRatio)
    : m_image(logicalSize * devicePixelRatio, QImage::Format_RGB32), m_ratio(devicePixelRatio)
{
    m_image.setDevicePixelRatio(devicePixelRatio);
    m_image.fill(colour(Colors::LightGrey));
}

Picture::Picture(QPainter &painter) : m_ratio(1.0), m_external(&painter) {}

void Picture::reset(qreal devicePixelRatio)
{
    if (m_painter.isActive())
        m_painter.end();
    m_ratio = devicePixelRatio;
    m_image = QImage(FieldSize * devicePixelRatio, QImage::Format_RGB32);
    // Qt takes no ratio below 1: the painter scales for it (painter()).
    m_image.setDevicePixelRatio(std::max(devicePixelRatio, 1.0));
    m_image.fill(colour(Colors::LightGrey));
}

QPointF Picture::map(float x, float y) const
{
    // The centre of the covered pixels: odd widths centre on a pixel,
    // even ones on the boundary after it.
    const double offset = (drawWidth() % 2) ? 0.5 : 1.0;
    const double u = unit();
    return {std::floor(x * u) + offset, std::floor(y * u) + offset};
}

QPainter &Picture::painter()
{
    if (m_external)
        return *m_external;
    // One painter for the picture's lifetime: opening one per operation
    // costs more than the operation itself.
    if (!m_painter.isActive()) {
        m_painter.begin(&m_image);
        m_painter.setRenderHint(QPainter::Antialiasing, false);
        // Qt's painter scales by a ratio of 1 or more; a smaller one (a
        // window below its design size) is scaled here.
        if (m_ratio < 1)
            m_painter.scale(m_ratio, m_ratio);
    }
    return m_painter;
}

void Picture::line(std::int16_t flags, float x1, float y1, float x2, float y2, std::uint32_t color)
{
    const QColor c = QColor::fromRgb(outlineRgb(flags, color));
    const QPointF a = map(x1, y1);
    const QPointF b = map(x2, y2);
    QPainter &p = painter();
    p.setPen(QPen(c, drawWidth(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(a, b);
    const int margin = drawWidth() + 1;
    changed(QRectF(a, b).normalized().toAlignedRect().adjusted(-margin, -margin, margin, margin));
}

void Picture::circle(std::int16_t flags, float x, float y, float radius, std::uint32_t color)
{
    const QColor c = QColor::fromRgb(outlineRgb(flags, color));
    const QPointF centre = map(x, y);
    const double r = std::abs(radius * unit());
    // The outline straddles the radius. It is filled as a ring between two
    // discs rather than stroked, so that an outline wider than the circle
    // (radius 1 at width 3) gives a solid dot instead of a ring with a hole.
    const double outer = r + drawWidth() / 2.0;
    const double inner = r - drawWidth() / 2.0;
    QPainter &p = painter();
    QPainterPath outerDisc;
    outerDisc.addEllipse(centre, outer, outer);
    QPainterPath innerDisc;
    if (inner > 0)
        innerDisc.addEllipse(centre, inner, inner);
    if (filled()) {
        // Outline disc, then the interior over it: no pixel left between.
        p.fillPath(outerDisc, c);
        if (inner > 0)
            p.fillPath(innerDisc, QColor::fromRgb(fillRgb()));
    } else {
        p.fillPath(outerDisc.subtracted(innerDisc), c);
    }
    const int extent = int(std::ceil(outer)) + 1;
    changed(QRect(QPoint(int(centre.x()) - extent, int(centre.y()) - extent),
                  QPoint(int(centre.x()) + extent, int(centre.y()) + extent)));
}

void Picture::changed(const QRect &rect) const
{
    if (m_changed)
        m_changed(rect);
}
