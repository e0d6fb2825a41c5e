// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "startsettings.h"

#include <algorithm>
#include <array>

namespace StartSettings {

namespace {

constexpr int SlowdownMin = 1, SlowdownMax = 20;

struct Name
{
    std::string_view name;
    std::string_view allowed; // in words, for the message
};
constexpr std::array<Name, 3> Names{{{"posun", "0 nebo 250"},
                                     {"kmitocet", "1 nebo 2"},
                                     {"zpomaleni", "celé číslo od 1 do 20"}}};

// A whole number as the controls write it: no sign, no spaces, no
// leading zeros.
std::optional<int> slowdown(const std::string &value)
{
    if (value.empty() || value.size() > 2 || value[0] == '0'
        || !std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const int n = std::stoi(value);
    if (n < SlowdownMin || n > SlowdownMax)
        return std::nullopt;
    return n;
}

// %xx and '+' as an address writes them.
std::string decoded(std::string_view text)
{
    std::string out;
    const auto hex = [](char c) {
        return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+')
            out += ' ';
        else if (text[i] == '%' && i + 2 < text.size() && hex(text[i + 1]) >= 0 && hex(text[i + 2]) >= 0) {
            out += char(hex(text[i + 1]) * 16 + hex(text[i + 2]));
            i += 2;
        } else
            out += text[i];
    }
    return out;
}

std::string quoted(const std::string &text)
{
    return "„" + text + "“";
}

} // namespace

Parsed fromPairs(const std::vector<std::pair<std::string, std::string>> &pairs)
{
    Parsed p;
    std::vector<std::string> seen, twice;
    for (const auto &pair : pairs) {
        // Named, not bound: a lambda may not take a structured binding here.
        const std::string &name = pair.first, &value = pair.second;
        const auto known = std::find_if(Names.begin(), Names.end(), [&](const Name &n) { return n.name == name; });
        if (known == Names.end()) {
            p.errors.push_back("Neznámé nastavení " + quoted(name) + "; Zrcadlo zná posun, kmitocet a zpomaleni.");
            continue;
        }
        if (std::find(seen.begin(), seen.end(), name) != seen.end()) {
            if (std::find(twice.begin(), twice.end(), name) == twice.end()) {
                twice.push_back(name);
                p.errors.push_back("Nastavení " + name + " je zadáno víckrát; platí výchozí hodnota.");
            }
            continue;
        }
        seen.push_back(name);
        bool good = false;
        if (name == "posun" && (value == "0" || value == "250"))
            good = true, p.posun = value;
        else if (name == "kmitocet" && (value == "1" || value == "2"))
            good = true, p.kmitocet = value;
        else if (name == "zpomaleni" && slowdown(value))
            good = true, p.zpomaleni = slowdown(value);
        if (!good)
            p.errors.push_back("Nastavení " + name + " může být " + std::string(known->allowed) + ", ne " + quoted(value)
                               + "; platí výchozí hodnota.");
    }
    // Given more than once, none of its values counts.
    for (const std::string &name : twice) {
        if (name == "posun")
            p.posun.reset();
        else if (name == "kmitocet")
            p.kmitocet.reset();
        else
            p.zpomaleni.reset();
    }
    return p;
}

Parsed fromQuery(std::string_view query)
{
    std::vector<std::pair<std::string, std::string>> pairs;
    while (!query.empty()) {
        const std::size_t end = std::min(query.find('&'), query.size());
        const std::string_view item = query.substr(0, end);
        query.remove_prefix(std::min(end + 1, query.size()));
        if (item.empty())
            continue;
        const std::size_t eq = std::min(item.find('='), item.size());
        pairs.emplace_back(decoded(item.substr(0, eq)), decoded(item.substr(std::min(eq + 1, item.size()))));
    }
    return fromPairs(pairs);
}

std::string toQuery(int posun, int kmitocet, int zpomaleni)
{
    return "posun=" + std::to_string(posun) + "&kmitocet=" + std::to_string(kmitocet)
           + "&zpomaleni=" + std::to_string(zpomaleni);
}

} // namespace StartSettings
