// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas.h"
#include "picture.h"
#include "press.h"
#include "presshost.h"

#include <QList>

#include <chrono>
#include <QMap>
#include <QString>

// Records every operation of a press, drawing and the rest, in order, with
// the drawing state in force when it was made.
class RecordingHost : public Canvas, public PressHost
{
public:
    enum class Kind { ScaleMode, DrawWidth, FillStyle, FillColor, Line, Circle, Left, Top, Visible, Read, Pause };

    struct Op
    {
        Kind kind;
        int flags = 0;
        float a = 0, b = 0, c = 0, d = 0; // coordinates, radius or value
        quint32 color = 0;
        ResultLabel label = ResultLabel::Radius;
        Setting setting = Setting::Posun;
        std::chrono::nanoseconds pause{};
        // State in force at the operation.
        int drawWidth = 0;
        int fillStyle = -1;
        quint32 fillColor = 0;
    };

    mutable QList<Op> ops; // reads are recorded too, from a const call
    QMap<Setting, QString> texts{{Setting::Posun, "0"}, {Setting::Kmitocet, "1"}, {Setting::Spomaleni, "1"}};
    int drawWidth = 1;
    int fillStyle = 1;
    quint32 fillColor = 0;

    QList<Op> of(Kind kind) const;
    // A whole press drawn on this recorder, its pauses recorded.
    void press() { pressOn(*this); }
    // A whole press drawn on a canvas, stepped to its end; the recorder is
    // its host and records the pauses.
    void pressOn(Canvas &canvas);

    void setScaleMode(int mode) override;
    void setDrawWidth(int width) override;
    void setFillStyle(int style) override;
    void setFillColor(std::uint32_t color) override;
    void line(std::int16_t flags, float x1, float y1, float x2, float y2, std::uint32_t color) override;
    void circle(std::int16_t flags, float x, float y, float radius, std::uint32_t color) override;
    void setLabelLeft(ResultLabel label, float left) override;
    void setLabelTop(ResultLabel label, float top) override;
    void setLabelVisible(ResultLabel label, bool visible) override;
    std::string settingText(Setting setting) const override;
    // Records a pause the press asked for (it waits for none).
    virtual void pause(std::chrono::nanoseconds length);

private:
    Op stamped(Kind kind) const;
};

// A press painted into a picture, its labels and settings recorded.
class PictureHost : public RecordingHost
{
public:
    explicit PictureHost(qreal dpr = 1.0) : picture(Picture::FieldSize, dpr) {}
    Picture picture;
    void press() { pressOn(picture); }
};
