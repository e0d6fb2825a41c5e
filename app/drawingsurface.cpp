// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "drawingsurface.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QStyleOptionFocusRect>

#include <cmath>

namespace {
// The focus frame stands clear of the window's edge.
constexpr int FocusInset = 2;

qreal ratioOf(const QWidget *w)
{
    const QScreen *screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->devicePixelRatio() : 1.0;
}
} // namespace

DrawingSurface::DrawingSurface(QSize fieldSize, QWidget *parent)
    : QWidget(parent), m_picture(fieldSize, ratioOf(parent ? parent : this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(fieldSize);
    m_picture.setChangeListener([this](const QRect &rect) { changed(rect); });
}

qreal DrawingSurface::screenRatio() const
{
    return ratioOf(parentWidget() ? parentWidget() : this);
}

void DrawingSurface::beginPress()
{
    m_recording.clear();
    // The press's band covers the last picture exactly where a pixel of the
    // field is a whole number of device pixels; elsewhere the field starts
    // empty, so that nothing of the last picture shows through.
    const qreal ratio = m_picture.ratio();
    if (ratio != std::round(ratio)) {
        m_picture.reset(ratio);
        m_unshown = rect();
    }
}

void DrawingSurface::setScale(qreal scale)
{
    if (scale == m_scale && m_picture.ratio() == scale * screenRatio())
        return;
    m_scale = scale;
    m_picture.reset(scale * screenRatio());
    // The press set every state it relies on through the recording, so the
    // picture's state ends where it stood.
    m_recording.replay(m_picture);
    m_unshown = QRect();
    update();
}

void DrawingSurface::changed(const QRect &field)
{
    // From field pixels to the window's.
    const QRect rect = QRectF(field.x() * m_scale, field.y() * m_scale, field.width() * m_scale,
                              field.height() * m_scale)
                           .toAlignedRect()
                           .adjusted(-1, -1, 1, 1);
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
    // Moved to a screen of another scale: drawn again for it first.
    if (m_picture.ratio() != m_scale * screenRatio())
        setScale(m_scale);
    QPainter p(this);
    const QRect r = event->rect();
    // Image pixels per window pixel: the screen's ratio, exactly, so that
    // the image is copied pixel for pixel rather than scaled.
    const qreal dpr = screenRatio();
    const QRectF source(r.x() * dpr, r.y() * dpr, r.width() * dpr, r.height() * dpr);
    p.drawImage(QRectF(r), m_picture.image(), source);
    // Where whole window pixels reach past the image's whole device pixels
    // (a fractional scale), the field's own grey: no device pixel unpainted.
    const qreal right = m_picture.image().width() / dpr, bottom = m_picture.image().height() / dpr;
    const QColor grey = Picture::colour(Colors::LightGrey);
    if (right < width())
        p.fillRect(QRectF(right, 0, width() - right, height()), grey);
    if (bottom < height())
        p.fillRect(QRectF(0, bottom, width(), height() - bottom), grey);
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
