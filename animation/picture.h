#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>

// The picture of the drawing field and the drawing state of the window.
// Every operation paints straight into the image; the returned rectangle
// (logical pixels) says what changed, so a widget can show just that.
//
// Mapping to pixels: a coordinate v names the pixel that contains it,
// floor(v), so the same value always lands on the same pixel. A stroke of
// width w over pixel p covers p - floor((w - 1) / 2) ... p + floor(w / 2).
// Drawing is aliased at the image's own device pixel ratio, so a high-DPI
// picture is sharp rather than scaled up.
class Picture
{
public:
    explicit Picture(QSize logicalSize, qreal devicePixelRatio = 1.0);

    void setScaleMode(int mode);
    void setDrawWidth(int width);
    void setFillStyle(int style);
    void setFillColor(quint32 color);
    void setForeColor(quint32 color);

    int scaleMode() const { return m_scaleMode; }
    int drawWidth() const { return m_drawWidth; }
    int fillStyle() const { return m_fillStyle; }
    quint32 fillColor() const { return m_fillColor; }
    quint32 foreColor() const { return m_foreColor; }

    QRect line(qint16 flags, float x1, float y1, float x2, float y2, quint32 color);
    QRect circle(qint16 flags, float x, float y, float radius, quint32 color);

    // The live image, for painting from. It keeps changing while the
    // painter is open: take snapshot() to keep a picture.
    const QImage &image() const { return m_image; }
    QImage snapshot() const { return m_image.copy(); }

private:
    QPointF map(float x, float y) const;
    double unit() const;
    QPainter &painter();

    QImage m_image;
    QPainter m_painter;
    int m_scaleMode = 1;       // twips until a press switches to pixels
    int m_drawWidth = 1;
    int m_fillStyle = 1;       // transparent until set
    quint32 m_fillColor = 0;
    quint32 m_foreColor = 0x80000012;
};
