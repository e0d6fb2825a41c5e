// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scaledstyle.h"

#include <QPainter>
#include <QStyleOption>

// For the length of one style call: the option's rectangle in design pixels
// and the painter scaled, both put back afterwards; calls the style makes
// meanwhile go through unscaled.
class ScaledStyle::Designed
{
public:
    Designed(const ScaledStyle &style, const QStyleOption *option, QPainter *painter = nullptr)
        : m_style(style), m_option(const_cast<QStyleOption *>(option)), m_painter(painter)
    {
        ++m_style.m_depth;
        if (m_option) {
            m_rect = m_option->rect;
            m_option->rect = down(m_rect);
        }
        if (m_painter) {
            m_painter->save();
            m_painter->scale(m_style.m_scale, m_style.m_scale);
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

    QRect down(const QRect &r) const
    {
        const qreal s = m_style.m_scale;
        return QRectF(r.x() / s, r.y() / s, r.width() / s, r.height() / s).toRect();
    }
    QRect up(const QRect &r) const
    {
        const qreal s = m_style.m_scale;
        return QRectF(r.x() * s, r.y() * s, r.width() * s, r.height() * s).toAlignedRect();
    }

private:
    const ScaledStyle &m_style;
    QStyleOption *m_option; // the caller's, changed for the call only
    QPainter *m_painter;
    QRect m_rect;
};

ScaledStyle::ScaledStyle(const QString &baseKey) : QProxyStyle(baseKey) {}

// A drawing call, in design pixels through a scaled painter where scaled.
template <typename Draw>
void ScaledStyle::painted(const QStyleOption *option, QPainter *painter, Draw draw) const
{
    if (!scaling())
        return draw();
    const Designed designed(*this, option, painter);
    draw();
}

void ScaledStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                const QWidget *widget) const
{
    painted(option, painter, [&] { QProxyStyle::drawPrimitive(element, option, painter, widget); });
}

void ScaledStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                              const QWidget *widget) const
{
    painted(option, painter, [&] { QProxyStyle::drawControl(element, option, painter, widget); });
}

void ScaledStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                                     const QWidget *widget) const
{
    painted(option, painter, [&] { QProxyStyle::drawComplexControl(control, option, painter, widget); });
}

void ScaledStyle::drawItemText(QPainter *painter, const QRect &rect, int flags, const QPalette &palette, bool enabled,
                               const QString &text, QPalette::ColorRole textRole) const
{
    if (!scaling())
        return QProxyStyle::drawItemText(painter, rect, flags, palette, enabled, text, textRole);
    Designed designed(*this, nullptr, painter);
    QProxyStyle::drawItemText(painter, designed.down(rect), flags, palette, enabled, text, textRole);
}

int ScaledStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    if (!scaling())
        return QProxyStyle::pixelMetric(metric, option, widget);
    Designed designed(*this, option);
    return qRound(QProxyStyle::pixelMetric(metric, option, widget) * m_scale);
}

QRect ScaledStyle::subElementRect(SubElement element, const QStyleOption *option, const QWidget *widget) const
{
    if (!scaling())
        return QProxyStyle::subElementRect(element, option, widget);
    Designed designed(*this, option);
    return designed.up(QProxyStyle::subElementRect(element, option, widget));
}

QRect ScaledStyle::subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl sub,
                                  const QWidget *widget) const
{
    if (!scaling())
        return QProxyStyle::subControlRect(control, option, sub, widget);
    Designed designed(*this, option);
    return designed.up(QProxyStyle::subControlRect(control, option, sub, widget));
}

QStyle::SubControl ScaledStyle::hitTestComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                                      const QPoint &point, const QWidget *widget) const
{
    if (!scaling())
        return QProxyStyle::hitTestComplexControl(control, option, point, widget);
    Designed designed(*this, option);
    return QProxyStyle::hitTestComplexControl(control, option, (QPointF(point) / m_scale).toPoint(), widget);
}

QSize ScaledStyle::sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                                    const QWidget *widget) const
{
    if (!scaling())
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    Designed designed(*this, option);
    const QSizeF designSize = QSizeF(size) / m_scale;
    return (QSizeF(QProxyStyle::sizeFromContents(type, option, designSize.toSize(), widget)) * m_scale).toSize();
}
