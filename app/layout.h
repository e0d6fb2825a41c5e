// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "fit.h"

#include <QHash>
#include <QPointF>
#include <QRect>

class QWidget;
class ScaledStyle;

// The window's content at the size the window has: every control at its
// design place, scaled and centred as the content is, drawn by the style
// at that scale, and the mapping between window and design pixels. Any
// change of size or of the screen's device pixel ratio is a new fit.
class Layout
{
public:
    explicit Layout(QWidget &window);

    // A control at its design place in its parent; drawn by the scaled style.
    void add(QWidget *control, QRect design);
    QRect design(const QWidget *control) const { return m_design.value(const_cast<QWidget *>(control)); }
    // A control moved in the design (a result label a press places).
    void moveTo(QWidget *control, QPoint designTopLeft);

    // Fits the content to the window as it is now; whether anything changed.
    bool fit();
    // Fitted for another size or ratio than the window has now.
    bool stale() const;

    const Fit::Placement &placement() const { return m_placement; }
    QPointF toDesign(QPointF window) const;
    QPointF fromDesign(QPointF design) const;
    // The content's box in window pixels, by the same rounding as every control.
    QRect content() const;

private:
    void place(QWidget *control);

    QWidget &m_window;
    ScaledStyle *m_style; // the window's child
    Fit::Placement m_placement;
    QSize m_fittedSize;
    qreal m_fittedRatio = 0;
    QHash<QWidget *, QRect> m_design;
};
