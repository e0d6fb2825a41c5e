// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string_view>

namespace Settings {

// Reads a settings text as a number the way the arithmetic needs it.
// Accepted: blanks around, a sign, digits with a decimal point or a
// decimal comma (so "2.5" and "2,5" read the same in every locale), and an
// exponent. Anything else, digit grouping included, and anything that is
// not a finite number reads as 0, so no text can stop a press.
double toNumber(std::string_view text);

} // namespace Settings
