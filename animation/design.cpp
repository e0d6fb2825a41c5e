// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "design.h"

#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace Design {

namespace {

constexpr double DesignDpi = 96.0;
constexpr double PointsPerInch = 72.0;

std::string_view kindName(Kind kind)
{
    switch (kind) {
    case Kind::ScrollBar: return "scrollbar";
    case Kind::Store: return "store";
    case Kind::Frame: return "frame";
    case Kind::Option: return "option";
    case Kind::Button: return "button";
    case Kind::Label: return "label";
    case Kind::Picture: return "picture";
    }
    return "";
}

// Captions hold letters, spaces and line breaks only; quotes and
// backslashes are escaped all the same.
std::string quoted(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out + '"';
}

} // namespace

const Control &control(std::string_view name)
{
    const auto it = std::find_if(Controls.begin(), Controls.end(), [name](const Control &c) { return c.name == name; });
    if (it == Controls.end())
        std::abort();
    return *it;
}

Rect inWindow(const Control &c)
{
    Rect r = c.rect;
    if (c.parent != Window) {
        const Rect container = inWindow(control(c.parent));
        r.x += container.x;
        r.y += container.y;
    }
    return r;
}

std::string oneLine(std::string_view caption)
{
    std::string line(caption);
    std::replace(line.begin(), line.end(), '\n', ' ');
    return line;
}

std::string accessibleName(const Control &c)
{
    return c.accessibleName.empty() ? oneLine(c.caption) : std::string(c.accessibleName);
}

std::vector<const Control *> tabOrder()
{
    std::vector<const Control *> stops;
    for (const Control &c : Controls)
        if (c.tab > 0)
            stops.push_back(&c);
    std::sort(stops.begin(), stops.end(), [](const Control *a, const Control *b) { return a->tab < b->tab; });
    return stops;
}

int pixels(double points)
{
    return int(std::lround(points * DesignDpi / PointsPerInch));
}

std::string json()
{
    std::ostringstream out;
    out << "{\"window\":" << quoted(Window) << ",\"caption\":" << quoted(Caption) << ",\"grey\":" << Grey
        << ",\"margin\":" << Margin << ",\"controls\":[";
    bool first = true;
    for (const Control &c : Controls) {
        const Rect w = inWindow(c);
        out << (first ? "" : ",") << "{\"name\":" << quoted(c.name) << ",\"kind\":" << quoted(kindName(c.kind))
            << ",\"parent\":" << quoted(c.parent) << ",\"rect\":[" << c.rect.x << ',' << c.rect.y << ','
            << c.rect.width << ',' << c.rect.height << "],\"inWindow\":[" << w.x << ',' << w.y << ',' << w.width
            << ',' << w.height << "],\"caption\":" << quoted(c.caption)
            << ",\"fontPixels\":" << (c.points > 0 ? pixels(c.points) : 0)
            << ",\"align\":" << quoted(c.align == Align::Centre ? "centre" : "left") << ",\"tab\":" << c.tab
            << ",\"visible\":" << (c.visible ? "true" : "false") << ",\"accessibleName\":" << quoted(accessibleName(c))
            << '}';
        first = false;
    }
    out << "],\"field\":[" << Field::Width << ',' << Field::Height << "]}";
    return out.str();
}

} // namespace Design
