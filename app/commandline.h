// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

#include "startsettings.h"

// What the command line asks for: the settings the window opens with (the
// same words as a teacher's link), the answers every program is expected
// to give, and Qt's -platform and -display let through.
class CommandLine
{
public:
    enum class Action { Run, Help, Version, Error };

    static constexpr int ExitUsage = 2;
    static constexpr int ExitNoDisplay = 1;

    explicit CommandLine(const QStringList &arguments);

    Action action() const { return m_action; }
    // One line that says what is wrong, for Action::Error.
    QString error() const { return m_error; }
    // The display named with -display, and the platform with -platform.
    QString display() const { return m_display; }
    QString platform() const { return m_platform; }
    // The settings the window opens with.
    const StartSettings::Parsed &settings() const { return m_settings; }
    // A file to draw a whole press into, with no window (--export).
    QString exportPath() const { return m_export; }

    static QString helpText();
    static QString versionText();
    static QString usageHint();
    // Why no window could be opened: which display, and that the program
    // needs one.
    static QString noDisplayText(const QString &display, const QString &waylandDisplay);
    // Why Qt could not start, from its last word: a platform asked for that
    // it does not have (and the ones it has), or else no display.
    static QString startFailureText(const QString &qtMessage, const QString &platform, const QString &display,
                                    const QString &waylandDisplay);

private:
    Action m_action = Action::Run;
    QString m_error;
    QString m_display;
    QString m_platform;
    StartSettings::Parsed m_settings;
    QString m_export;
};
