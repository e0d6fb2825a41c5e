// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>

namespace Colors {

inline constexpr quint32 LightGrey = 0xC0C0C0;
inline constexpr quint32 DarkGrey = 0x404040;
inline constexpr quint32 Green = 0x00FF00;
inline constexpr quint32 CaptionText = 0x80000009;  // system colour 9
inline constexpr quint32 ButtonFace = 0x8000000F;   // system colour 15
inline constexpr quint32 ButtonText = 0x80000012;   // system colour 18

// Turns a &H00BBGGRR value or a &H800000nn system colour into a QColor.
// System colours take their classic values, which the design was made for.
QColor resolve(quint32 value);

} // namespace Colors
