// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QString>

class QPainter;
class QPrinter;
class QWidget;
class Recording;

// The picture given away: the field as the last press left it, drawn again
// from its recording (lines and circles, as vectors where the target takes
// them), with the result labels it shows; on paper, the whole window, as
// the page prints. Everything in design pixels, at any size.
class PictureExport
{
public:
    // The window (its content's widgets at their places), the picture's
    // widget, and what its press drew.
    PictureExport(const QWidget &window, const QWidget &picture, const Recording &recording);

    // At this many pixels per design pixel.
    QImage image(qreal scale) const;
    // A PNG or an SVG, by the name's ending, written whole or not at all;
    // the Czech reason where it was not.
    QString save(const QString &path, qreal scale) const;
    // The whole window on the page, fitted to it.
    void print(QPrinter &printer) const;

private:
    // The field and what stands on it, in design pixels; with the controls too.
    void paint(QPainter &painter, bool controls) const;
    void widgets(QPainter &painter, bool controls) const;

    const QWidget &m_window;
    const QWidget &m_picture;
    const Recording &m_recording;
};
