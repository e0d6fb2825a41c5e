// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

// The window's design as JSON, for the page's build: run by Node.js.
#include "design.h"

#include <cstdio>

int main()
{
    std::puts(Design::json().c_str());
    return 0;
}
