// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "webfront.h"

#include <emscripten.h>

#include <chrono>
#include <cmath>
#include <cstdlib>

namespace {
constexpr double NoPause = -1;
} // namespace

// The page's script, reached through the module's `front`.
// clang-format off
EM_JS(void, frontLine, (double x1, double y1, double x2, double y2, int rgb, int width), {
    Module.front.line(x1, y1, x2, y2, rgb, width);
});
EM_JS(void, frontCircle, (double x, double y, double r, int rgb, int width, int filled, int fillRgb), {
    Module.front.circle(x, y, r, rgb, width, filled !== 0, fillRgb);
});
EM_JS(void, frontLabel, (int label, int what, double value), {
    Module.front.label(label, what, value);
});
EM_JS(char *, frontSettingText, (int setting), {
    const text = String(Module.front.settingText(setting));
    const size = lengthBytesUTF8(text) + 1;
    const copy = _malloc(size);
    stringToUTF8(text, copy, size);
    return copy;
});
// clang-format on

namespace {
enum LabelProperty { Left, Top, Visible };
} // namespace

void WebFront::line(std::int16_t flags, float x1, float y1, float x2, float y2, std::uint32_t color)
{
    const double u = unit();
    frontLine(x1 * u, y1 * u, x2 * u, y2 * u, int(outlineRgb(flags, color)), drawWidth());
}

void WebFront::circle(std::int16_t flags, float x, float y, float radius, std::uint32_t color)
{
    const double u = unit();
    frontCircle(x * u, y * u, radius * u, int(outlineRgb(flags, color)), drawWidth(), filled(),
                int(fillRgb()));
}

void WebFront::setLabelLeft(ResultLabel label, float left) { frontLabel(int(label), Left, left); }
void WebFront::setLabelTop(ResultLabel label, float top) { frontLabel(int(label), Top, top); }
void WebFront::setLabelVisible(ResultLabel label, bool visible) { frontLabel(int(label), Visible, visible); }

std::string WebFront::settingText(Setting setting) const
{
    // The script's copy is freed at once: the text is kept as a string.
    std::unique_ptr<char, decltype(&std::free)> text(frontSettingText(int(setting)), &std::free);
    return text ? std::string(text.get()) : std::string();
}

void WebFront::start(double nowMs)
{
    m_recording.clear();
    m_press = std::make_unique<Press>(m_recording, *this);
    m_announcer = Announcer();
    m_schedule = Pacer::Schedule(std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::duration<double, std::milli>(nowMs)));
}

void WebFront::redraw()
{
    // The press set every state it relies on through the recording, so the
    // state ends where it stood.
    m_recording.replay(*this);
}

double WebFront::pauseDue(double pauseMs, double nowMs)
{
    using Ms = std::chrono::duration<double, std::milli>;
    const auto ns = [](double ms) { return std::chrono::duration_cast<std::chrono::nanoseconds>(Ms(ms)); };
    return Ms(m_schedule.due(ns(pauseMs), ns(nowMs))).count();
}

void WebFront::narrate(double nowMs)
{
    const auto now = std::chrono::duration_cast<Pacer::Duration>(std::chrono::duration<double, std::milli>(nowMs));
    narration = m_announcer.next(m_press.get(), now);
}

double WebFront::step()
{
    if (!m_press)
        return NoPause;
    const auto pause = m_press->step();
    if (!pause)
        return NoPause;
    return std::chrono::duration<double, std::milli>(*pause).count();
}

// What the page's script calls. The front is the script's to keep and to
// give back; it lives as long as the page.
extern "C" {
EMSCRIPTEN_KEEPALIVE WebFront *zrcadlo_create()
{
    return std::make_unique<WebFront>().release();
}
EMSCRIPTEN_KEEPALIVE void zrcadlo_start(WebFront *front, double nowMs)
{
    front->start(nowMs);
}
EMSCRIPTEN_KEEPALIVE double zrcadlo_step(WebFront *front)
{
    return front->step();
}
EMSCRIPTEN_KEEPALIVE void zrcadlo_redraw(WebFront *front)
{
    front->redraw();
}
EMSCRIPTEN_KEEPALIVE void zrcadlo_fit(WebFront *front, double width, double height, double devicePixelRatio)
{
    front->fit(width, height, devicePixelRatio);
}
EMSCRIPTEN_KEEPALIVE double zrcadlo_scale(WebFront *front)
{
    return front->placement.scale;
}
EMSCRIPTEN_KEEPALIVE double zrcadlo_left(WebFront *front)
{
    return front->placement.left;
}
EMSCRIPTEN_KEEPALIVE double zrcadlo_top(WebFront *front)
{
    return front->placement.top;
}
EMSCRIPTEN_KEEPALIVE double zrcadlo_pause_due(WebFront *front, double pauseMs, double nowMs)
{
    return front->pauseDue(pauseMs, nowMs);
}
// Input held during a press keeps its place in the window's design.
EMSCRIPTEN_KEEPALIVE double zrcadlo_design_x(WebFront *front, double x)
{
    return front->placement.toDesign({x, 0}).x;
}
EMSCRIPTEN_KEEPALIVE double zrcadlo_design_y(WebFront *front, double y)
{
    return front->placement.toDesign({0, y}).y;
}
EMSCRIPTEN_KEEPALIVE double zrcadlo_window_x(WebFront *front, double x)
{
    return front->placement.fromDesign({x, 0}).x;
}
EMSCRIPTEN_KEEPALIVE double zrcadlo_window_y(WebFront *front, double y)
{
    return front->placement.fromDesign({0, y}).y;
}
EMSCRIPTEN_KEEPALIVE void zrcadlo_narrate(WebFront *front, double nowMs)
{
    front->narrate(nowMs);
}
// The narration's texts stay valid until the next narration; null where
// there is nothing to set or say.
EMSCRIPTEN_KEEPALIVE const char *zrcadlo_narration_description(WebFront *front)
{
    return front->narration.description ? front->narration.description->c_str() : nullptr;
}
EMSCRIPTEN_KEEPALIVE const char *zrcadlo_narration_say(WebFront *front)
{
    return front->narration.say ? front->narration.say->c_str() : nullptr;
}
// When to narrate again (the page's clock), or -1.
EMSCRIPTEN_KEEPALIVE double zrcadlo_narration_again(WebFront *front)
{
    const auto again = front->narration.again;
    return again ? std::chrono::duration<double, std::milli>(*again).count() : NoPause;
}
// A teacher's link: its settings, each -1 (or 0 for the slowdown) where it
// gives none, and what is wrong with it, or null.
EMSCRIPTEN_KEEPALIVE void zrcadlo_link(WebFront *front, const char *query)
{
    front->link = StartSettings::fromQuery(query);
    front->linkErrors.clear();
    for (const std::string &error : front->link.errors)
        front->linkErrors += (front->linkErrors.empty() ? "" : " ") + error;
}
EMSCRIPTEN_KEEPALIVE int zrcadlo_link_posun(WebFront *front)
{
    return front->link.posun ? std::stoi(*front->link.posun) : -1;
}
EMSCRIPTEN_KEEPALIVE int zrcadlo_link_kmitocet(WebFront *front)
{
    return front->link.kmitocet ? std::stoi(*front->link.kmitocet) : -1;
}
EMSCRIPTEN_KEEPALIVE int zrcadlo_link_zpomaleni(WebFront *front)
{
    return front->link.zpomaleni.value_or(0);
}
EMSCRIPTEN_KEEPALIVE const char *zrcadlo_link_errors(WebFront *front)
{
    return front->link.errors.empty() ? nullptr : front->linkErrors.c_str();
}
// The fragment of a link to these settings; valid until the next call.
EMSCRIPTEN_KEEPALIVE const char *zrcadlo_link_for(WebFront *front, int posun, int kmitocet, int zpomaleni)
{
    front->address = StartSettings::toQuery(posun, kmitocet, zpomaleni);
    return front->address.c_str();
}
}
