// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "picture.h"
#include "recording.h"

#include <QWidget>

#include <chrono>

// The window's drawing field: a widget that shows a Picture. A press draws
// on the picture itself; every operation gets onto the screen within one
// display frame, even between the pauses of a press; repaints copy from the
// picture, so it survives being covered.
class DrawingSurface : public QWidget
{
    Q_OBJECT

public:
    explicit DrawingSurface(QSize fieldSize, QWidget *parent = nullptr);

    Picture &picture() { return m_picture; }
    const Picture &picture() const { return m_picture; }
    // What a press draws on: the picture, with what it draws kept.
    Canvas &canvas() { return m_recording; }
    // What the press drew, to be drawn again elsewhere (a file, paper).
    const Recording &recording() const { return m_recording; }

    // A press starts from an empty field and a new recording.
    void beginPress();
    // The field at this many window pixels per field pixel: what was drawn
    // is drawn again, sharp, at the new size.
    void setScale(qreal scale);

    // Puts everything drawn so far on the screen now.
    void flush();

    // Longest time a drawn operation may wait before it is shown.
    static constexpr std::chrono::milliseconds FlushInterval{8};

protected:
    void paintEvent(QPaintEvent *event) override;
    // With the focus, the picture has a focus frame along its edge.
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void changed(const QRect &rect);

    qreal screenRatio() const;

    Picture m_picture;
    Recording m_recording{m_picture};
    qreal m_scale = 1.0;
    QRect m_unshown;
    std::chrono::steady_clock::time_point m_oldestUnshown;
};
