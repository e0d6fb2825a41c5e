// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "design.h"

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QRgb>

// The colours the picture and the window are made of, as screen pixels,
// and the reads the tests make of a screenshot or a picture.
namespace Pixel {
inline const QRgb Grey = qRgb(0xC0, 0xC0, 0xC0);
inline const QRgb Dark = qRgb(0x40, 0x40, 0x40);
inline const QRgb White = qRgb(0xFF, 0xFF, 0xFF);
inline const QRgb Black = qRgb(0, 0, 0);
inline const QRgb Red = qRgb(0xFF, 0, 0);
inline const QRgb Green = qRgb(0, 0xFF, 0);

// The colour at (x, y), whatever the image keeps in its alpha byte.
inline QRgb at(const QImage &image, int x, int y)
{
    return image.pixel(x, y) | 0xFF000000u;
}
inline QRgb at(const QImage &image, QPoint p)
{
    return at(image, p.x(), p.y());
}

inline int count(const QImage &image, QRect area, QRgb colour)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += at(image, x, y) == colour;
    return n;
}

inline QList<int> rowsAt(const QImage &image, int x, QRgb colour)
{
    QList<int> rows;
    for (int y = 0; y < image.height(); ++y)
        if (at(image, x, y) == colour)
            rows << y;
    return rows;
}

// Element arrows drawn so far: the tail circles in the row under the mirror.
inline int elementArrows(const QImage &image)
{
    int n = 0;
    for (int e = 0; e < 30; ++e)
        n += count(image, QRect(56 + 24 * e - 1, 304, 3, 3), Dark) > 0;
    return n;
}

// A caption in black ink stands in the area.
inline bool labelShown(const QImage &image, QRect area)
{
    return count(image, area, Black) > 20;
}
} // namespace Pixel

// Where things are in the window, in its own pixels, from the design table:
// a button's centre, an option's circle, a label's box.
namespace At {
inline QRect box(const char *name)
{
    const Design::Rect r = Design::inWindow(Design::control(name));
    return {r.x, r.y, r.width, r.height};
}
inline QPoint middle(const char *name)
{
    const QRect r = box(name);
    return r.topLeft() + QPoint(r.width() / 2, r.height() / 2);
}
inline QPoint circle(const char *name)
{
    return box(name).topLeft() + QPoint(6, 6);
}
inline const QPoint Start = middle("cmdStart"), Konec = middle("cmdKonec");
inline const QPoint Op0 = circle("op0"), Op250 = circle("op250"), Op1 = circle("op1"), Op2 = circle("op2");
inline const QRect Headline = box("labVelimor");
inline const QRect LabZdroj(294, 200, 41, 41);
} // namespace At
