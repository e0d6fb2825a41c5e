// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "colors.h"

#include <iterator>

namespace Colors {

namespace {
constexpr std::uint32_t SystemColour = 0x80000000u;
constexpr std::uint32_t SystemIndex = 0xFFu;
// The classic scheme, 0xRRGGBB by system colour number.
constexpr std::uint32_t Classic[] = {
    0xC0C0C0, 0x008080, 0x000080, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000, 0x000000, 0x000000,
    0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x808080, 0x000080, 0xFFFFFF, 0xC0C0C0, 0x808080, 0x808080,
    0x000000, 0xC0C0C0, 0xFFFFFF, 0x404040, 0xC0C0C0, 0x000000, 0xFFFFE1,
};
} // namespace

std::uint32_t rgb(std::uint32_t value)
{
    if (value & SystemColour) {
        const std::uint32_t index = value & SystemIndex;
        return index < std::size(Classic) ? Classic[index] : 0x000000;
    }
    // &H00BBGGRR to 0xRRGGBB.
    return ((value & 0xFF) << 16) | (value & 0xFF00) | ((value >> 16) & 0xFF);
}

} // namespace Colors
