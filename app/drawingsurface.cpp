// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "drawingsurface.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QStyleOptionFocusRect>

namespace {
// The focus frame stands clear of the window's edge.
constexpr int FocusInset = 2;

qreal screenRatio(const QWidget *w)
{
    const QScreen *screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->devicePixelRatio() : 1.0;
}
} // namespace

DrawingSurface::DrawingSurface(QSize fieldSize, QWidget *parent)
    : QWidget(parent), m_picture(fieldSize, screenRatio(parent ? parent : this))
{
    setObjectName(QStringLiteral("drawingSurface"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(fieldSize);
    m_picture.setChangeListener([this](const QRect &rect) { changed(rect); });
}

void DrawingSurface::changed(const QRect &rect)
{
    const auto now = std::chrono::steady_clock::now();
    if (m_unshown.isEmpty())
        m_oldestUnshown = now;
    m_unshown |= rect;
    // Showing operations one by one costs a window-system round trip each;
    // grouping them within a frame keeps the pace without visible delay.
    if (now - m_oldestUnshown >= FlushInterval)
        flush();
}

void DrawingSurface::flush()
{
    if (m_unshown.isEmpty())
        return;
    const QRect rect = m_unshown & this->rect();
    m_unshown = QRect();
    if (!rect.isEmpty() && isVisible())
        repaint(rect);
}

void DrawingSurface::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    const QRect r = event->rect();
    const qreal dpr = m_picture.image().devicePixelRatio();
    const QRectF source(r.x() * dpr, r.y() * dpr, r.width() * dpr, r.height() * dpr);
    p.drawImage(QRectF(r), m_picture.image(), source);
    if (hasFocus()) {
        QStyleOptionFocusRect frame;
        frame.initFrom(this);
        frame.rect = rect().adjusted(FocusInset, FocusInset, -FocusInset, -FocusInset);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &p, this);
    }
}

void DrawingSurface::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void DrawingSurface::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}
