// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scaledstyle.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStyleOption>
#include <QWidget>

#include <algorithm>

// For the length of one style call: the option's rectangle in design pixels
// and the painter scaled, both put back afterwards; calls the style makes
// meanwhile go through unscaled.
class ScaledStyle::Designed
{
public:
    Designed(const ScaledStyle &style, QSizeF factors, const QStyleOption *option, QPainter *painter = nullptr)
        : m_style(style), m_x(factors.width()), m_y(factors.height()), m_option(const_cast<QStyleOption *>(option)),
          m_painter(painter)
    {
        ++m_style.m_depth;
        if (m_option) {
            m_rect = m_option->rect;
            m_option->rect = down(m_rect);
        }
        if (m_painter) {
            m_painter->save();
            m_painter->scale(m_x, m_y);
        }
    }
    ~Designed()
    {
        if (m_painter)
            m_painter->restore();
        if (m_option)
            m_option->rect = m_rect;
        --m_style.m_depth;
    }
    Designed(const Designed &) = delete;
    Designed &operator=(const Designed &) = delete;

    QRect down(const QRect &r) const { return QRectF(r.x() / m_x, r.y() / m_y, r.width() / m_x, r.height() / m_y).toRect(); }
    QRect up(const QRect &r) const
    {
        // Edges rounded once, as the layout rounds them.
        const int left = qRound(r.x() * m_x), top = qRound(r.y() * m_y);
        return QRect(QPoint(left, top), QPoint(qRound((r.x() + r.width()) * m_x) - 1,
                                               qRound((r.y() + r.height()) * m_y) - 1));
    }
    QPoint down(const QPoint &p) const { return QPointF(p.x() / m_x, p.y() / m_y).toPoint(); }

private:
    const ScaledStyle &m_style;
    qreal m_x, m_y;
    QStyleOption *m_option; // the caller's, changed for the call only
    QPainter *m_painter;
    QRect m_rect;
};

ScaledStyle::ScaledStyle(const QString &baseKey) : QProxyStyle(baseKey) {}

QSizeF ScaledStyle::factors(const QWidget *widget) const
{
    const QSize design = widget ? m_designSizes.value(widget) : QSize();
    if (design.isEmpty() || widget->size().isEmpty())
        return {m_scale, m_scale};
    return {qreal(widget->width()) / design.width(), qreal(widget->height()) / design.height()};
}

// A drawing call, in design pixels through a scaled painter where scaled.
template <typename Draw>
void ScaledStyle::painted(const QStyleOption *option, QPainter *painter, const QWidget *widget, Draw draw) const
{
    if (!scaling())
        return draw();
    const Designed designed(*this, factors(widget), option, painter);
    draw();
}

void ScaledStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                const QWidget *widget) const
{
    painted(option, painter, widget, [&] { QProxyStyle::drawPrimitive(element, option, painter, widget); });
}

void ScaledStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                              const QWidget *widget) const
{
    painted(option, painter, widget, [&] { QProxyStyle::drawControl(element, option, painter, widget); });
}

void ScaledStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                                     const QWidget *widget) const
{
    painted(option, painter, widget, [&] { QProxyStyle::drawComplexControl(control, option, painter, widget); });
}

void ScaledStyle::drawItemText(QPainter *painter, const QRect &rect, int flags, const QPalette &palette, bool enabled,
                               const QString &text, QPalette::ColorRole textRole) const
{
    if (m_scale < 1.0)
        return drawTextAtSize(painter, rect, flags, palette, enabled, text, textRole);
    if (!scaling())
        return QProxyStyle::drawItemText(painter, rect, flags, palette, enabled, text, textRole);
    // A label draws its own text: the widget is the painter's device.
    const Designed designed(*this, factors(dynamic_cast<const QWidget *>(painter->device())), nullptr, painter);
    QProxyStyle::drawItemText(painter, designed.down(rect), flags, palette, enabled, text, textRole);
}

void ScaledStyle::drawTextAtSize(QPainter *painter, const QRect &rect, int flags, const QPalette &palette,
                                 bool enabled, const QString &text, QPalette::ColorRole textRole) const
{
    // Where the text stands in the widget's own pixels, and how much
    // smaller than the design it is drawn there. Inside a scaled call the
    // painter carries the scale: it is taken off, and the rectangle mapped.
    painter->save();
    QRect target = rect;
    QSizeF f = factors(dynamic_cast<const QWidget *>(painter->device()));
    if (m_depth > 0) {
        const QTransform scaled = painter->worldTransform();
        f = {scaled.m11(), scaled.m22()};
        target = QTransform::fromScale(f.width(), f.height()).mapRect(rect);
        painter->setWorldTransform(QTransform::fromScale(1 / f.width(), 1 / f.height()) * scaled);
    }
    const qreal factor = std::min(f.width(), f.height());
    QFont font = painter->font();
    const qreal dpi = std::max(1, painter->device()->logicalDpiY());
    const qreal designPixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * dpi / 72;
    font.setPointSizeF(std::max<qreal>(1, designPixels * factor * 72 / dpi));
    // Hinted at its own size a line may come out a little wider than the
    // design's: a little smaller then, so that no line is cut.
    qreal widest = 0;
    for (const QString &line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, QFontMetricsF(font, painter->device()).horizontalAdvance(line));
    if (widest > target.width())
        font.setPointSizeF(std::max<qreal>(1, font.pointSizeF() * target.width() / widest));
    painter->setFont(font);
    QProxyStyle::drawItemText(painter, target, flags, palette, enabled, text, textRole);
    painter->restore();
}

int ScaledStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    if (!scaling())
        return QProxyStyle::pixelMetric(metric, option, widget);
    const QSizeF f = factors(widget);
    Designed designed(*this, f, option);
    return qRound(QProxyStyle::pixelMetric(metric, option, widget) * std::min(f.width(), f.height()));
}

QRect ScaledStyle::subElementRect(SubElement element, const QStyleOption *option, const QWidget *widget) const
{
    if (!scaling())
        return QProxyStyle::subElementRect(element, option, widget);
    Designed designed(*this, factors(widget), option);
    return designed.up(QProxyStyle::subElementRect(element, option, widget));
}

QRect ScaledStyle::subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl sub,
                                  const QWidget *widget) const
{
    if (!scaling())
        return QProxyStyle::subControlRect(control, option, sub, widget);
    Designed designed(*this, factors(widget), option);
    return designed.up(QProxyStyle::subControlRect(control, option, sub, widget));
}

QStyle::SubControl ScaledStyle::hitTestComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                                      const QPoint &point, const QWidget *widget) const
{
    if (!scaling())
        return QProxyStyle::hitTestComplexControl(control, option, point, widget);
    Designed designed(*this, factors(widget), option);
    return QProxyStyle::hitTestComplexControl(control, option, designed.down(point), widget);
}

QSize ScaledStyle::sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                                    const QWidget *widget) const
{
    if (!scaling())
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    const QSizeF f = factors(widget);
    Designed designed(*this, f, option);
    const QSize designSize(qRound(size.width() / f.width()), qRound(size.height() / f.height()));
    const QSize s = QProxyStyle::sizeFromContents(type, option, designSize, widget);
    return {qRound(s.width() * f.width()), qRound(s.height() * f.height())};
}
