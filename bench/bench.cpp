// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

// Figures of a press on a real X server: shown operations against the
// floor of painting the image only, the pause error, the answer time to a
// window manager's ping and processor use during a long press, start-up
// and peak memory.
#include "drawingsurface.h"
#include "look.h"
#include "pacer.h"
#include "realprogram.h"
#include "recordinghost.h"
#include "windowmanager.h"
#include "zrcadlo.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QScreen>
#include <QLineEdit>
#include <QPainter>
#include <QTest>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using Clock = std::chrono::steady_clock;

namespace {

double ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

struct Stats
{
    double median;
    double worst;
};

Stats stats(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return {v[v.size() / 2], v.back()};
}

// User and system time of a running process, from /proc.
double processSeconds(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> f = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return double(f.value(11).toLongLong() + f.value(12).toLongLong()) / double(sysconf(_SC_CLK_TCK));
}

// The resident memory now, from the system.
long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

long peakKb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

// From the start of the process to its painted headline on the screen.
double startUpMs(long &peakAfterStartKb)
{
    QProcess program;
    const auto t0 = Clock::now();
    program.start(QStringLiteral(ZRCADLO_BINARY), {});
    program.waitForStarted();
    QScreen *screen = QGuiApplication::primaryScreen();
    double elapsed = -1;
    while (ms(Clock::now() - t0) < 10000) {
        const QImage headline = screen->grabWindow(0, At::Headline.x(), At::Headline.y(), At::Headline.width(), At::Headline.height()).toImage();
        int black = 0, grey = 0;
        for (int y = 0; y < headline.height(); ++y)
            for (int x = 0; x < headline.width(); ++x) {
                black += (headline.pixel(x, y) & 0xFFFFFF) == 0;
                grey += (headline.pixel(x, y) & 0xFFFFFF) == 0xC0C0C0;
            }
        if (black > 50 && grey > 2000) {
            elapsed = ms(Clock::now() - t0);
            break;
        }
    }
    QFile status(QStringLiteral("/proc/%1/status").arg(program.processId()));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:"))
                peakAfterStartKb = line.mid(6).trimmed().split(' ').first().toLong();
    program.kill();
    program.waitForFinished();
    return elapsed;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Look::apply(app);
    const int presses = argc > 1 ? std::atoi(argv[1]) : 30;

    Zrcadlo window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    auto *slowdown = window.findChild<QLineEdit *>(QStringLiteral("nSpomaleni"));

    // Count the drawing operations of one press.
    RecordingHost counter;
    counter.texts[Setting::Spomaleni] = "0";
    counter.press();
    const double ops = double(counter.of(RecordingHost::Kind::Line).size()
                              + counter.of(RecordingHost::Kind::Circle).size());

    // A whole press at slowdown 0 in the real window, every operation shown.
    slowdown->setText(QStringLiteral("0"));
    std::vector<double> shown;
    for (int i = 0; i < presses; ++i) {
        const auto t0 = Clock::now();
        window.cmdStart_Click();
        QApplication::sync(); // until the window system has taken it all
        shown.push_back(ms(Clock::now() - t0));
        QCoreApplication::processEvents();
    }

    // The floor: the same operations painted into an image only.
    std::vector<double> floor;
    PictureHost image;
    image.texts[Setting::Spomaleni] = "0";
    for (int i = 0; i < presses; ++i) {
        const auto t0 = Clock::now();
        image.press();
        floor.push_back(ms(Clock::now() - t0));
    }

    // Peak memory so far: start-up and the presses, before any resize.
    const long peakBeforeResizesKb = peakKb();

    // Pause error at slowdown 1: the pauses of real presses, each against
    // the time its press's schedule gives it (the press's start plus the
    // pauses before it, 50 ms each).
    std::vector<double> pauseErrors;
    {
        struct Timed : Zrcadlo
        {
            Clock::time_point start;
            int pauses = 0;
            std::vector<double> *errors = nullptr;
            void pause(std::chrono::nanoseconds length) override
            {
                Zrcadlo::pause(length);
                ++pauses;
                errors->push_back(std::abs(ms(Clock::now() - start) - pauses * ms(length)));
            }
        } timed;
        timed.errors = &pauseErrors;
        timed.show();
        if (!QTest::qWaitForWindowExposed(&timed))
            return 1;
        for (int i = 0; i < 3; ++i) {
            timed.pauses = 0;
            timed.start = Clock::now();
            timed.cmdStart_Click();
        }
    }

    // A finished picture drawn again after a resize to a projector's full
    // screen, until the window system has it, beside the floor: a plain
    // widget that only copies a prepared image of the same size.
    const auto redrawn = [](QWidget &widget, int times) {
        std::vector<double> redraws;
        for (int i = 0; i < times; ++i) {
            const QSize size = i % 2 ? QSize(1920, 1080) : Picture::FieldSize;
            const auto t0 = Clock::now();
            widget.resize(size);
            while (widget.size() != size)
                QCoreApplication::processEvents();
            widget.repaint();
            QApplication::sync();
            if (i % 2)
                redraws.push_back(ms(Clock::now() - t0));
        }
        return stats(redraws);
    };
    const Stats rd = redrawn(window, 100);
    struct Copying : QWidget
    {
        QImage image{QSize(1920, 1080), QImage::Format_RGB32};
        void paintEvent(QPaintEvent *) override { QPainter(this).drawImage(0, 0, image); }
    } copying;
    copying.image.fill(Qt::lightGray);
    copying.setAttribute(Qt::WA_OpaquePaintEvent);
    copying.show();
    if (!QTest::qWaitForWindowExposed(&copying))
        return 1;
    const Stats floorRedraw = redrawn(copying, 100);
    copying.hide();

    // Memory over 1,000 resizes among a classroom's sizes: after the first
    // 20, once the caches have settled, it stays level.
    const QSize sizes[] = {Picture::FieldSize, {1920, 1080}, {1366, 768}, {1024, 600}, {1600, 1162}, {400, 290}};
    long residentSettled = 0, residentMost = 0;
    for (int i = 0; i < 1000; ++i) {
        const QSize size = sizes[i % std::size(sizes)];
        window.resize(size);
        while (window.size() != size)
            QCoreApplication::processEvents();
        window.repaint();
        if (i == 19)
            residentSettled = residentKb();
        if (i >= 20)
            residentMost = std::max(residentMost, residentKb());
    }
    const long residentAfter = residentKb();

    window.hide();
    QCoreApplication::processEvents();
    std::vector<double> startUps;
    long startPeakKb = 0;
    for (int i = 0; i < 10; ++i) {
        startUps.push_back(startUpMs(startPeakKb));
        QTest::qWait(200);
    }
    const Stats st = stats(startUps);

    // The real program in a press at slowdown 20: pinged every 100 ms as a
    // window manager does, its processor time read from the system.
    RealProgram program;
    if (!program.launch())
        return 1;
    program.click(QPoint(418, 48), 19); // the scroll bar's right arrow
    QTest::qWait(300);
    WindowManager wm(program.window);
    const double cpu0 = processSeconds(program.process.processId());
    const auto w0 = Clock::now();
    program.click(At::Start);
    std::vector<double> pings;
    while (ms(Clock::now() - w0) < 29500) {
        pings.push_back(double(wm.ping(30000)));
        QTest::qWait(100);
    }
    const double cpu = processSeconds(program.process.processId()) - cpu0;
    const double wall = std::chrono::duration<double>(Clock::now() - w0).count();
    wm.askToClose(); // taken after the press
    program.process.waitForFinished(60000);
    const Stats pg = stats(pings);

    const Stats s = stats(shown), f = stats(floor), p = stats(pauseErrors);
    std::printf("operations per press            %.0f (lines and circles)\n", ops);
    std::printf("press, shown (%d presses)       median %.3f ms, worst %.3f ms; per operation median %.2f us, worst %.2f us\n",
                presses, s.median, s.worst, s.median * 1000 / ops, s.worst * 1000 / ops);
    std::printf("press, image only (floor)       median %.3f ms, worst %.3f ms; per operation median %.2f us, worst %.2f us\n",
                f.median, f.worst, f.median * 1000 / ops, f.worst * 1000 / ops);
    std::printf("shown / floor                   %.2f (median)\n", s.median / f.median);
    std::printf("pause error at slowdown 1       median %.3f ms, worst %.3f ms over %zu pauses of 3 real presses\n",
                p.median, p.worst, pauseErrors.size());
    std::printf("ping answer during a press      median %.0f ms, worst %.0f ms over %zu pings (slowdown 20)\n",
                pg.median, pg.worst, pings.size());
    std::printf("processor at slowdown 20        %.2f %% of a core (%.3f s over %.1f s, the real program)\n",
                100 * cpu / wall, cpu, wall);
    std::printf("redraw after resize to 1920x1080 median %.2f ms, worst %.2f ms (50 resizes)\n", rd.median, rd.worst);
    std::printf("  floor: copying an image        median %.2f ms, worst %.2f ms (50 resizes)\n", floorRedraw.median,
                floorRedraw.worst);
    std::printf("resident memory over 1000 resizes %.1f MB after 20, at most %.1f MB, %.1f MB at the end\n",
                double(residentSettled) / 1024, double(residentMost) / 1024, double(residentAfter) / 1024);
    std::printf("peak resident memory            %.1f MB (start-up and presses, before the resizes)\n",
                double(peakBeforeResizesKb) / 1024);
    std::printf("start-up to painted window      median %.0f ms, worst %.0f ms (10 starts)\n", st.median, st.worst);
    std::printf("peak memory after start-up      %.1f MB\n", double(startPeakKb) / 1024);
    return 0;
}
