// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The settings a teacher's link or a command line may open the window with,
// one vocabulary for every front end, in the words a teacher types
// (no diacritics): posun (0 or 250), kmitocet (1 or 2), zpomaleni (1 to
// 20). A bad name or value is said in Czech and changes nothing else: that
// setting keeps its default, the others apply.
namespace StartSettings {

struct Parsed
{
    std::optional<std::string> posun;    // "0" or "250"
    std::optional<std::string> kmitocet; // "1" or "2"
    std::optional<int> zpomaleni;        // 1 to 20
    std::vector<std::string> errors;     // one sentence each
};

// From names and values in the order given (a command line's options).
Parsed fromPairs(const std::vector<std::pair<std::string, std::string>> &pairs);
// From an address's fragment or query, without its '#' or '?':
// "posun=250&kmitocet=2&zpomaleni=5".
Parsed fromQuery(std::string_view query);
// The fragment for the settings as they stand, for a link to them.
std::string toQuery(int posun, int kmitocet, int zpomaleni);

} // namespace StartSettings
