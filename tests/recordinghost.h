// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "picture.h"
#include "press.h"
#include "presshost.h"
#include "recording.h"

#include <QList>
#include <QMap>
#include <QString>

// A whole press recorded in order, drawing and the rest, by the core's own
// recording: the drawing state in force at each operation, the labels,
// the settings read and the pauses asked for.
class RecordingHost : public Recording, public PressHost
{
public:
    using Kind = Recording::Kind;
    using Op = Recording::Operation;

    RecordingHost() = default;
    explicit RecordingHost(Canvas &target) : Recording(target) {}

    QMap<Setting, QString> texts{{Setting::Posun, "0"}, {Setting::Kmitocet, "1"}, {Setting::Spomaleni, "1"}};

    QList<Op> ops() const { return {operations().begin(), operations().end()}; }
    QList<Op> of(Kind kind) const;
    // A whole press, stepped to its end, its pauses recorded (it waits for none).
    void press();

    void setLabelLeft(ResultLabel label, float left) override { note({Kind::Left, 0, left, 0, 0, 0, 0, label}); }
    void setLabelTop(ResultLabel label, float top) override { note({Kind::Top, 0, top, 0, 0, 0, 0, label}); }
    void setLabelVisible(ResultLabel label, bool visible) override
    {
        note({Kind::Visible, 0, visible ? 1.0f : 0.0f, 0, 0, 0, 0, label});
    }
    std::string settingText(Setting setting) const override;
    virtual void pause(std::chrono::nanoseconds length);
};

// A press painted into a picture, its labels and settings recorded.
class PictureHost : public RecordingHost
{
public:
    explicit PictureHost(qreal dpr = 1.0) : RecordingHost(picture), picture(Picture::FieldSize, dpr) {}
    Picture picture;
};
