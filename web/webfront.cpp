// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "webfront.h"

#include "description.h"

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

std::string WebFront::description() const
{
    return Description::of(m_press.get());
}

std::optional<std::string> WebFront::announcement(double nowMs)
{
    if (!m_press)
        return std::nullopt;
    return m_announcer.afterStep(*m_press, std::chrono::milliseconds(std::llround(nowMs)));
}

bool WebFront::describeNow(double nowMs)
{
    return !m_press || m_announcer.describeNow(*m_press, std::chrono::milliseconds(std::llround(nowMs)));
}

double WebFront::announcementDue() const
{
    const auto due = m_announcer.due();
    return due ? double(due->count()) : NoPause;
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
// The texts stay valid until the next call of the same function.
EMSCRIPTEN_KEEPALIVE const char *zrcadlo_description(WebFront *front)
{
    front->text = front->description();
    return front->text.c_str();
}
EMSCRIPTEN_KEEPALIVE int zrcadlo_describe_now(WebFront *front, double nowMs)
{
    return front->describeNow(nowMs);
}
EMSCRIPTEN_KEEPALIVE double zrcadlo_announcement_due(WebFront *front)
{
    return front->announcementDue();
}
EMSCRIPTEN_KEEPALIVE const char *zrcadlo_announcement(WebFront *front, double nowMs)
{
    const auto said = front->announcement(nowMs);
    if (!said)
        return nullptr;
    front->text = *said;
    return front->text.c_str();
}
}
