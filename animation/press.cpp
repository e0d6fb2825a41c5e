// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "press.h"

#include "pacer.h"
#include "presshost.h"
#include "resultant.h"

Press::Press(Canvas &canvas, PressHost &host) : m_canvas(canvas), m_host(host) {}

std::optional<std::chrono::nanoseconds> Press::step()
{
    switch (m_stage) {
    case Stage::SetUp:
        // No pause before the first element: it follows the set-up at once.
        m_scene = SetUp::draw(m_canvas, m_host);
        m_sweep = Sweep(m_scene);
        m_stage = Stage::Sweep;
        [[fallthrough]];
    case Stage::Sweep:
        if (!m_sweep.done()) {
            m_sweep.drawNext(m_canvas);
            m_lastPause = Pacer::pauseFor(m_host.settingText(Setting::Spomaleni));
            return m_lastPause;
        }
        Resultant::draw(m_canvas, m_host, m_scene, m_sweep.result());
        m_stage = Stage::Done;
        return std::nullopt;
    case Stage::Done:
        break;
    }
    return std::nullopt;
}

std::chrono::nanoseconds Press::timeLeft() const
{
    if (m_stage != Stage::Sweep)
        return std::chrono::nanoseconds::zero();
    return m_lastPause * (m_scene.elementCount - m_sweep.progress().element + 1);
}

std::optional<SweepResult> Press::results() const
{
    if (m_stage != Stage::Done)
        return std::nullopt;
    return m_sweep.result();
}
