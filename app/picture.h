// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "drawingstate.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>

#include <functional>

// The picture of the drawing field and the drawing state of the window.
// Every operation paints straight into the image and tells the change
// listener which rectangle (logical pixels) changed, so a widget can show
// just that.
//
// Mapping to pixels: a coordinate v names the pixel that contains it,
// floor(v), so the same value always lands on the same pixel. A stroke of
// width w over pixel p covers p - floor((w - 1) / 2) ... p + floor(w / 2).
// Drawing is aliased at the image's own device pixel ratio, so a high-DPI
// picture is sharp rather than scaled up.
class Picture : public DrawingState
{
public:
    explicit Picture(QSize logicalSize, qreal devicePixelRatio = 1.0);
    // Drawing on another painter instead, in field pixels: paper, a vector
    // file. It has no image of its own.
    explicit Picture(QPainter &painter);

    void line(std::int16_t flags, float x1, float y1, float x2, float y2, std::uint32_t color) override;
    void circle(std::int16_t flags, float x, float y, float radius, std::uint32_t color) override;

    using ChangeListener = std::function<void(const QRect &changed)>;
    void setChangeListener(ChangeListener listener) { m_changed = std::move(listener); }

    // A colour of the core as Qt paints it.
    static QColor colour(std::uint32_t value) { return QColor::fromRgb(Colors::rgb(value)); }
    // The drawing field in logical pixels.
    static constexpr QSize FieldSize{Field::Width, Field::Height};

    // Starts again empty, at another size or pixel ratio (field pixels to
    // image pixels).
    void reset(qreal devicePixelRatio);

    // The live image, for painting from. It keeps changing while the
    // painter is open: take snapshot() to keep a picture.
    const QImage &image() const { return m_image; }
    // Image pixels per field pixel.
    qreal ratio() const { return m_ratio; }
    QImage snapshot() const { return m_image.copy(); }

private:
    QPointF map(float x, float y) const;
    QPainter &painter();
    void changed(const QRect &rect) const;

    QImage m_image;
    qreal m_ratio;
    QPainter m_painter;
    QPainter *m_external = nullptr;
    ChangeListener m_changed;
};
