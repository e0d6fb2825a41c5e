// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

// The window as it opens, once for every front end: each control's name,
// kind, container, place in design pixels, caption with its line breaks,
// font and place in the focus order. The desktop builds its widgets from
// it, the page's build writes its markup and style from it, and the tests
// read it.
namespace Design {

inline constexpr std::string_view Window = "Zrcadlo";
inline constexpr std::string_view Caption = "Velimor - www.velimor.example";
// The window's own grey and the darker margin around the content.
inline constexpr unsigned Grey = 0xC0C0C0;
inline constexpr unsigned Margin = 0x808080;

enum class Kind { ScrollBar, Store, Frame, Option, Button, Label, Picture };
enum class Align { Left, Centre };

struct Rect
{
    int x = 0, y = 0, width = 0, height = 0;
    constexpr bool operator==(const Rect &) const = default;
};

struct Control
{
    std::string_view name;
    Kind kind;
    std::string_view parent; // the window, or a frame
    Rect rect;               // in the parent
    std::string_view caption; // lines broken where '\n' stands
    double points;           // a bold serif caption font; 0: the dialog font
    Align align;
    int tab;                 // place in the focus order; 0: never focused
    bool visible;            // when the window opens
    std::string_view accessibleName; // where it is not the caption
};

// In the order in which they are created: container first, then its
// contents; the picture first of all, so that it lies under the rest.
inline constexpr std::array<Control, 20> Controls{{
    {"picture", Kind::Picture, Window, {0, 0, 800, 581}, "", 0, Align::Left, 24, true, "Obraz odrazu světla"},
    {"HScroll1", Kind::ScrollBar, Window, {256, 40, 169, 17}, "", 0, Align::Left, 23, true, "Zpomalení animace"},
    {"nSpomaleni", Kind::Store, Window, {392, 8, 65, 25}, "", 0, Align::Left, 0, false, ""},
    {"frmKmitocet", Kind::Frame, Window, {152, 56, 129, 33}, "Kmitočet světla", 12, Align::Left, 0, true, ""},
    {"op2", Kind::Option, "frmKmitocet", {72, 16, 33, 13}, "2", 0, Align::Left, 11, true, ""},
    {"op1", Kind::Option, "frmKmitocet", {24, 16, 41, 13}, "1", 0, Align::Left, 10, true, ""},
    {"nKmitocet", Kind::Store, Window, {248, 88, 41, 19}, "", 0, Align::Left, 0, false, ""},
    {"cmdKonec", Kind::Button, Window, {552, 16, 89, 28}, "Konec", 14.25, Align::Left, 6, true, ""},
    {"frmPosun", Kind::Frame, Window, {32, 56, 89, 33}, "Posun", 12, Align::Left, 0, true, ""},
    {"op250", Kind::Option, "frmPosun", {40, 16, 41, 13}, "250", 0, Align::Left, 5, true, ""},
    {"op0", Kind::Option, "frmPosun", {8, 16, 41, 13}, "0", 0, Align::Left, 4, true, ""},
    {"nPosun", Kind::Store, Window, {24, 40, 41, 19}, "", 0, Align::Left, 0, false, ""},
    {"cmdStart", Kind::Button, Window, {448, 16, 89, 28}, "Start", 15.75, Align::Left, 1, true, ""},
    {"labSoucet", Kind::Label, Window, {312, 48, 105, 41}, "Součet\nradiusvektorů", 12, Align::Centre, 0, false, ""},
    {"labDetektor", Kind::Label, Window, {440, 48, 65, 25}, "Detektor", 12, Align::Left, 0, false, ""},
    {"labZdroj", Kind::Label, Window, {0, 232, 41, 41}, "Zdroj\nsvětla", 12, Align::Left, 0, false, ""},
    {"labCas", Kind::Label, Window, {0, 72, 49, 17}, "Čas", 12, Align::Left, 0, false, ""},
    {"labRadius", Kind::Label, Window, {8, 120, 137, 57}, "Radiusvektory\nfotonu na trasách\nod elementů zrcadla", 12,
     Align::Centre, 0, false, ""},
    {"labPosun", Kind::Label, Window, {32, 8, 209, 41}, "Posun zdroje a detektoru\nsvětla vlevo od centra zrcadla", 12,
     Align::Centre, 0, true, ""},
    {"labVelimor", Kind::Label, Window, {280, 8, 145, 25}, "Velimor", 17.25, Align::Left, 0, true, ""},
}};

// The control of that name; a name not in the table is a programming error.
const Control &control(std::string_view name);
// Its rectangle in the window, through its container.
Rect inWindow(const Control &control);
// The caption on one line, as a screen reader reads it.
std::string oneLine(std::string_view caption);
// The name a screen reader gives it.
std::string accessibleName(const Control &control);
// The focus stops in their order. An option group is one stop: both its
// options are listed, and a front end lets only the chosen one take Tab.
std::vector<const Control *> tabOrder();
// A caption font's size in pixels (points at 96 dots per inch).
int pixels(double points);
// The whole table as JSON, for the page's build and the tests.
std::string json();

} // namespace Design
