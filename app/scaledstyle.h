// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHash>
#include <QProxyStyle>

// The desktop's own style, drawn larger or smaller as a whole: every
// control is painted by the style at its design size through a painter
// scaled to the window's scale, as Qt's own high-DPI scaling paints, so
// frames and indicators come out sharp at any size; and every measure and
// hit test the style gives is scaled the same way, so that widgets, input
// and accessibility see the real, scaled geometry. A control whose design
// size is known is scaled to exactly the whole pixels it has, so that its
// edges are drawn inside it at every scale. Below 1 : 1, text is laid out
// at the size it is drawn at rather than shrunk from the design's.
class ScaledStyle : public QProxyStyle
{
public:
    explicit ScaledStyle(const QString &baseKey);

    qreal scale() const { return m_scale; }
    void setScale(qreal scale) { m_scale = scale; }
    void setDesignSize(const QWidget *control, QSize size) { m_designSizes.insert(control, size); }

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget) const override;
    void drawItemText(QPainter *painter, const QRect &rect, int flags, const QPalette &palette, bool enabled,
                      const QString &text, QPalette::ColorRole textRole) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override;
    QRect subElementRect(SubElement element, const QStyleOption *option, const QWidget *widget) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl sub,
                         const QWidget *widget) const override;
    SubControl hitTestComplexControl(ComplexControl control, const QStyleOptionComplex *option, const QPoint &point,
                                     const QWidget *widget) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                           const QWidget *widget) const override;

private:
    class Designed;
    // Whether a call comes from a widget rather than from the style itself
    // within a scaled call, which is scaled already.
    bool scaling() const { return m_scale != 1.0 && m_depth == 0; }
    // Window pixels per design pixel across and down, for this control.
    QSizeF factors(const QWidget *widget) const;
    template <typename Draw>
    void painted(const QStyleOption *option, QPainter *painter, const QWidget *widget, Draw draw) const;
    // Text at the size it is drawn at, through the painter's own scale.
    void drawTextAtSize(QPainter *painter, const QRect &rect, int flags, const QPalette &palette, bool enabled,
                        const QString &text, QPalette::ColorRole textRole) const;

    qreal m_scale = 1.0;
    mutable int m_depth = 0;
    QHash<const QWidget *, QSize> m_designSizes;
};
