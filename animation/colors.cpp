// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "colors.h"

namespace Colors {

QColor resolve(quint32 value)
{
    if (value & 0x80000000u) {
        // The classic scheme: the picture was designed against it.
        static constexpr QRgb classic[] = {
            0xC0C0C0, 0x008080, 0x000080, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000,
            0x000000, 0x000000, 0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x808080, 0x000080,
            0xFFFFFF, 0xC0C0C0, 0x808080, 0x808080, 0x000000, 0xC0C0C0, 0xFFFFFF,
            0x404040, 0xC0C0C0, 0x000000, 0xFFFFE1,
        };
        const quint32 index = value & 0xFFu;
        if (index < std::size(classic))
            return QColor::fromRgb(classic[index]);
        return QColor(Qt::black);
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

} // namespace Colors
