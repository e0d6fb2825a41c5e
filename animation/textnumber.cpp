// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "textnumber.h"

#include <cmath>
#include <algorithm>
#include <cstdint>

namespace Settings {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Digits kept exactly; the rest only shift the decimal exponent.
constexpr int MaxKeptDigits = 19;
// Below 2^53 every whole number is a double, and so is every power of ten
// up to 10^22: one multiplication or division of the two rounds correctly.
constexpr std::uint64_t ExactMantissa = std::uint64_t(1) << 53;
constexpr double PowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int ExactPower = 22;
// Beyond any finite double; keeps the exponent from overflowing an int.
constexpr int ExponentCap = 100000;

} // namespace

// Parsed by hand rather than by strtod or a stream: those follow the
// process's locale (the desktop sets the user's), and streams weigh too
// much in the browser.
double toNumber(std::string_view t)
{
    while (!t.empty() && isBlank(t.front()))
        t.remove_prefix(1);
    while (!t.empty() && isBlank(t.back()))
        t.remove_suffix(1);

    std::size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        negative = t[i++] == '-';
    std::uint64_t mantissa = 0;
    int kept = 0;
    int exponent = 0;
    int digits = 0;
    auto digit = [&](char c, bool afterPoint) {
        ++digits;
        if (kept < MaxKeptDigits) {
            if (mantissa != 0 || c != '0')
                ++kept;
            mantissa = mantissa * 10 + std::uint64_t(c - '0');
            exponent -= afterPoint;
        } else {
            exponent += !afterPoint;
        }
    };
    for (; i < t.size() && isDigit(t[i]); ++i)
        digit(t[i], false);
    if (i < t.size() && (t[i] == '.' || t[i] == ',')) {
        for (++i; i < t.size() && isDigit(t[i]); ++i)
            digit(t[i], true);
    }
    if (digits == 0)
        return 0.0;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < t.size() && (t[i] == '+' || t[i] == '-'))
            negativeExponent = t[i++] == '-';
        int e = 0;
        const std::size_t from = i;
        for (; i < t.size() && isDigit(t[i]); ++i)
            e = std::min(e * 10 + (t[i] - '0'), ExponentCap);
        if (i == from)
            return 0.0;
        exponent += negativeExponent ? -e : e;
    }
    if (i != t.size())
        return 0.0;

    double value = double(mantissa);
    if (mantissa <= ExactMantissa && exponent >= -ExactPower && exponent <= ExactPower) {
        const double power = PowersOfTen[std::abs(exponent)];
        value = exponent < 0 ? value / power : value * power;
    } else if (mantissa != 0) {
        // Outside the exact range: within a unit in the last place.
        value *= std::pow(10.0, exponent);
    }
    if (!std::isfinite(value))
        return 0.0;
    return negative ? -value : value;
}

} // namespace Settings
