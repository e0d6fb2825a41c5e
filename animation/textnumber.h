// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QString;

// Reads a settings text as a number the way the arithmetic needs it:
// the user's locale first, then the C locale, so "2.5" and "2,5" both work
// wherever the program runs. Anything that is not a finite number reads as 0,
// so no text can stop a press.
double textToNumber(const QString &text);
