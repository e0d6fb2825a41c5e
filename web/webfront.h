// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "announcer.h"
#include "drawingstate.h"
#include "fit.h"
#include "pacer.h"
#include "press.h"
#include "presshost.h"
#include "recording.h"
#include "startsettings.h"

#include <memory>

// The page's side of a press: the core's canvas and host, answered by the
// page's script (the object it passes to the module as `front`). Colours
// reach the script resolved, as 0xRRGGBB, and coordinates in pixels.
class WebFront : public DrawingState, public PressHost
{
public:
    void line(std::int16_t flags, float x1, float y1, float x2, float y2, std::uint32_t color) override;
    void circle(std::int16_t flags, float x, float y, float radius, std::uint32_t color) override;

    void setLabelLeft(ResultLabel label, float left) override;
    void setLabelTop(ResultLabel label, float top) override;
    void setLabelVisible(ResultLabel label, bool visible) override;
    std::string settingText(Setting setting) const override;

    // A new press replaces the last one, whose values and picture go with it.
    void start(double nowMs);
    // The picture so far, drawn again (on a canvas the script has emptied).
    void redraw();
    // The window's place in a viewport, kept for the script to read.
    void fit(double width, double height, double devicePixelRatio) { placement = Fit::place(width, height, devicePixelRatio); }
    Fit::Placement placement;
    // The next stretch of the press: the pause after it in milliseconds,
    // or -1 once the press is over.
    double step();
    // When a pause of this length, begun now, ends (milliseconds on the
    // page's clock).
    double pauseDue(double pauseMs, double nowMs);
    // What a screen reader is to be told now (the clock in milliseconds,
    // the page's own), kept for the script to read.
    void narrate(double nowMs);
    Announcer::Narration narration;
    // The settings of the page's address (a teacher's link), and the
    // address for the settings as they stand.
    StartSettings::Parsed link;
    std::string linkErrors;
    std::string address;

private:
    Recording m_recording{*this};
    std::unique_ptr<Press> m_press;
    Announcer m_announcer;
    Pacer::Schedule m_schedule;
};
