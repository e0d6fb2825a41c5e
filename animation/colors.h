// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

namespace Colors {

// &H00BBGGRR values, or &H800000nn for system colour nn.
inline constexpr std::uint32_t LightGrey = 0xC0C0C0;
inline constexpr std::uint32_t DarkGrey = 0x404040;
inline constexpr std::uint32_t Green = 0x00FF00;
inline constexpr std::uint32_t CaptionText = 0x80000009; // system colour 9
inline constexpr std::uint32_t ButtonFace = 0x8000000F;  // system colour 15
inline constexpr std::uint32_t ButtonText = 0x80000012;  // system colour 18

// The colour to paint, as 0xRRGGBB. System colours take their classic
// values, which the design was made for; an unknown one is black.
std::uint32_t rgb(std::uint32_t value);

} // namespace Colors
