// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "pixels.h"

#include <QtTest>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>

// The real program as a user meets it: started as a process on the test's
// X server, found by its window, driven by synthetic clicks there, and
// seen through screenshots of the screen.
class RealProgram
{
public:
    QProcess process;
    QString window; // X window id, as xdotool prints it
    QRect geometry; // of the client area on the screen

    static QString xdotool(const QStringList &args)
    {
        QProcess p;
        p.start(QStringLiteral("xdotool"), args);
        if (!p.waitForFinished(30000))
            qFatal("xdotool %s did not finish", qPrintable(args.join(' ')));
        return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
    }

    ~RealProgram() { stop(); }

    // Starts the program and waits until its window has painted itself.
    bool launch(const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
    {
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QProcessEnvironment e = env;
        e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        process.setProcessEnvironment(e);
        process.start(QStringLiteral(ZRCADLO_BINARY), {});
        if (!process.waitForStarted())
            return false;
        window = xdotool({"search", "--sync", "--onlyvisible", "--pid", QString::number(process.processId()),
                          "--name", "^Velimor - "})
                     .section('\n', 0, 0);
        if (window.isEmpty())
            return false;
        QMap<QString, int> g;
        for (const QString &kv : xdotool({"getwindowgeometry", "--shell", window}).split('\n'))
            g[kv.section('=', 0, 0)] = kv.section('=', 1).toInt();
        geometry = QRect(g["X"], g["Y"], g["WIDTH"], g["HEIGHT"]);
        const qreal scale = e.value(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("1")).toDouble();
        const QRect headline(At::Headline.topLeft() * scale, At::Headline.size() * scale);
        const auto painted = [&](const QImage &i) { return Pixel::count(i, headline, Pixel::Black) > 50; };
        return painted(waitFor(painted));
    }

    void stop()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }

    // The client area as it is on the screen now. On X11 the test's own
    // connection reads it; elsewhere ImageMagick reads the X server.
    QImage grab() const
    {
        QImage screen;
        if (QGuiApplication::platformName() == QLatin1String("xcb")) {
            screen = QGuiApplication::primaryScreen()
                         ->grabWindow(0, geometry.x(), geometry.y(), geometry.width(), geometry.height())
                         .toImage();
        } else {
            QProcess import;
            import.start(QStringLiteral("import"), {"-window", "root", "-crop",
                                                    QString("%1x%2+%3+%4").arg(geometry.width()).arg(geometry.height())
                                                        .arg(geometry.x()).arg(geometry.y()),
                                                    "png:-"});
            import.waitForFinished(30000);
            screen.loadFromData(import.readAllStandardOutput(), "PNG");
        }
        return screen.convertToFormat(QImage::Format_RGB32);
    }

    // As a window manager resizes the window (a maximise, full screen).
    void resize(QSize client)
    {
        xdotool({"windowsize", "--sync", window, QString::number(client.width()), QString::number(client.height())});
        geometry.setSize(client);
    }

    void click(QPoint at, int times = 1) const
    {
        xdotool({"mousemove", "--window", window, QString::number(at.x()), QString::number(at.y()), "click",
                 "--repeat", QString::number(times), "--delay", "30", "1"});
    }

    // Grabs until the picture shows what is asked, or the time is up.
    template <typename Pred>
    QImage waitFor(Pred pred, int ms = 10000) const
    {
        QElapsedTimer t;
        t.start();
        QImage image = grab();
        while (!pred(image) && t.elapsed() < ms) {
            QTest::qWait(20);
            image = grab();
        }
        return image;
    }

    QImage finishedPress(int ms = 10000) const
    {
        return waitFor(
            [](const QImage &i) { return Pixel::elementArrows(i) == 30 && Pixel::labelShown(i, At::LabZdroj); }, ms);
    }
};

