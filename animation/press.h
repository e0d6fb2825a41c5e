// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class Canvas;
class PressHost;

// One press of "Start", from the background band to the shown labels.
// Nothing of it outlives the call except what it leaves on the host.
class Press
{
public:
    static void run(Canvas &canvas, PressHost &host);
};
