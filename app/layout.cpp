// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "layout.h"

#include "scaledstyle.h"

#include <QStyle>
#include <QWidget>

namespace {

QRect toQt(Fit::Box b)
{
    return {b.x, b.y, b.width, b.height};
}

} // namespace

Layout::Layout(QWidget &window) : m_window(window), m_style(new ScaledStyle(window.style()->name()))
{
    m_style->setParent(&window);
    window.setStyle(m_style);
}

void Layout::add(QWidget *control, QRect design)
{
    control->setStyle(m_style);
    m_design.insert(control, design);
    m_style->setDesignSize(control, design.size());
    place(control);
}

void Layout::moveTo(QWidget *control, QPoint designTopLeft)
{
    m_design[control].moveTopLeft(designTopLeft);
    place(control);
}

bool Layout::stale() const
{
    return m_window.size() != m_fittedSize || m_window.devicePixelRatioF() != m_fittedRatio;
}

bool Layout::fit()
{
    if (!stale())
        return false;
    m_fittedSize = m_window.size();
    m_fittedRatio = m_window.devicePixelRatioF();
    m_placement = Fit::place(m_fittedSize.width(), m_fittedSize.height(), m_fittedRatio);
    m_style->setScale(m_placement.scale);
    for (auto it = m_design.cbegin(); it != m_design.cend(); ++it)
        place(it.key());
    return true;
}

void Layout::place(QWidget *control)
{
    // In a frame, from the frame's own design corner, so that a child ends
    // where the frame's rounding puts the frame.
    const QRect r = m_design.value(control);
    std::optional<Fit::Point> container;
    if (QWidget *parent = control->parentWidget(); parent != &m_window && m_design.contains(parent))
        container = Fit::Point{double(m_design.value(parent).x()), double(m_design.value(parent).y())};
    control->setGeometry(toQt(m_placement.box(r.x(), r.y(), r.width(), r.height(), container)));
}

QPointF Layout::toDesign(QPointF window) const
{
    const Fit::Point p = m_placement.toDesign({window.x(), window.y()});
    return {p.x, p.y};
}

QPointF Layout::fromDesign(QPointF design) const
{
    const Fit::Point p = m_placement.fromDesign({design.x(), design.y()});
    return {p.x, p.y};
}

QRect Layout::content() const
{
    return toQt(m_placement.content());
}
