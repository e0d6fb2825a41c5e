// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commandline.h"
#include "look.h"
#include "zrcadlo.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr QLatin1String ApplicationId("example.velimor.zrcadlo");

void print(FILE *to, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), to);
}

// Qt ends a program that finds no display, or not the platform asked for,
// with several lines, an abort and a core dump. Said instead in one line,
// and ended with the status of a failed start. Qt's other words while it
// connects are its account of the same failure.
void noDisplay(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtFatalMsg)
        return;
    print(stderr, CommandLine::startFailureText(message, qEnvironmentVariable("QT_QPA_PLATFORM"),
                                                qEnvironmentVariable("DISPLAY"), qEnvironmentVariable("WAYLAND_DISPLAY")));
    std::fflush(stderr);
    std::_Exit(CommandLine::ExitNoDisplay);
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine commandLine(arguments);
    switch (commandLine.action()) {
    case CommandLine::Action::Help:
        print(stdout, CommandLine::helpText());
        return EXIT_SUCCESS;
    case CommandLine::Action::Version:
        print(stdout, CommandLine::versionText());
        return EXIT_SUCCESS;
    case CommandLine::Action::Error:
        print(stderr, QStringLiteral("zrcadlo: %1\n").arg(commandLine.error()) + CommandLine::usageHint());
        return CommandLine::ExitUsage;
    case CommandLine::Action::Run:
        break;
    }
    // A press drawn into a file needs no display.
    if (!commandLine.exportPath().isEmpty() && commandLine.platform().isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Named in a failure to start.
    if (!commandLine.display().isEmpty())
        qputenv("DISPLAY", commandLine.display().toLocal8Bit());
    if (!commandLine.platform().isEmpty())
        qputenv("QT_QPA_PLATFORM", commandLine.platform().toLocal8Bit());

    const QtMessageHandler previous = qInstallMessageHandler(noDisplay);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);

    QApplication::setApplicationName(QStringLiteral("zrcadlo"));
    QApplication::setApplicationVersion(QStringLiteral(ZRCADLO_VERSION));
    // The Wayland app id; on X11 the class "zrcadlo" names the same entry.
    QApplication::setDesktopFileName(QString(ApplicationId));
    // From the icon theme when installed; from the program itself otherwise.
    QIcon ownIcon;
    for (int size : {16, 32, 48, 64, 128, 256})
        ownIcon.addFile(QStringLiteral(":/icons/%1.png").arg(size));
    QApplication::setWindowIcon(QIcon::fromTheme(QString(ApplicationId), ownIcon));
    Look::apply(app);

    Zrcadlo window;
    window.choose(commandLine.settings());
    if (!commandLine.exportPath().isEmpty()) {
        const QString error = window.exportPress(commandLine.exportPath());
        if (!error.isEmpty()) {
            print(stderr, QStringLiteral("zrcadlo: %1\n").arg(error));
            return EXIT_FAILURE;
        }
        return EXIT_SUCCESS;
    }
    window.show();
    return QApplication::exec();
}
