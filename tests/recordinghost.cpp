// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "recordinghost.h"

QList<RecordingHost::Op> RecordingHost::of(Kind kind) const
{
    QList<Op> out;
    for (const Op &op : operations())
        if (op.kind == kind)
            out << op;
    return out;
}

std::string RecordingHost::settingText(Setting setting) const
{
    // Reads are part of the record too, also from a const call.
    const_cast<RecordingHost *>(this)->note({Kind::Read, 0, 0, 0, 0, 0, 0, ResultLabel::Radius, setting});
    return texts.value(setting).toStdString();
}

void RecordingHost::pause(std::chrono::nanoseconds length)
{
    Op op{Kind::Pause};
    op.pause = length;
    note(op);
}

void RecordingHost::press()
{
    Press press(*this, *this);
    while (const auto length = press.step())
        pause(*length);
}
