// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QApplication;
class QFont;

// The window's look: the classic light grey, one widget style on every
// desktop, and fonts sized in pixels so that the 96-dpi layout holds
// whatever DPI the screen reports.
class Look
{
public:
    static void apply(QApplication &app);
    // Times New Roman bold at the design's point size (at 96 dpi).
    static QFont captionFont(double points);
    // The small dialog font for controls that set none.
    static QFont dialogFont();
};
