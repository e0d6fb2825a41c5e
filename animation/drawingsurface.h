#pragma once

#include "picture.h"

#include <QWidget>

#include <chrono>

// The window's drawing field: a widget that shows a Picture. Each operation
// paints into the picture and gets onto the screen within one display frame,
// even though a press never returns to the event loop; repaints copy from
// the picture, so it survives being covered.
class DrawingSurface : public QWidget
{
public:
    explicit DrawingSurface(QSize fieldSize, QWidget *parent = nullptr);

    Picture &picture() { return m_picture; }
    const Picture &picture() const { return m_picture; }

    void setScaleMode(int mode) { m_picture.setScaleMode(mode); }
    void setDrawWidth(int width) { m_picture.setDrawWidth(width); }
    void setFillStyle(int style) { m_picture.setFillStyle(style); }
    void setFillColor(quint32 color) { m_picture.setFillColor(color); }
    void line(qint16 flags, float x1, float y1, float x2, float y2, quint32 color);
    void circle(qint16 flags, float x, float y, float radius, quint32 color);

    // Puts everything drawn so far on the screen now.
    void flush();

    // Longest time a drawn operation may wait before it is shown.
    static constexpr std::chrono::milliseconds FlushInterval{8};

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void changed(const QRect &rect);

    Picture m_picture;
    QRect m_unshown;
    std::chrono::steady_clock::time_point m_oldestUnshown;
};
