// Figures of a press on a real X server: shown operations against the
// floor of painting the image only, the pause error, processor use during
// pauses and peak memory.
#include "drawingsurface.h"
#include "look.h"
#include "pacer.h"
#include "picturehost.h"
#include "press.h"
#include "zrcadlo.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QScreen>
#include <QLineEdit>
#include <QTest>

#include <sys/resource.h>

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

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

long peakKb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

// Forwards to the window and times its pauses.
class TimedPauses : public PressHost
{
public:
    explicit TimedPauses(Zrcadlo &w) : w(w) {}
    Zrcadlo &w;
    std::vector<double> errors;

    void setScaleMode(int m) override { w.setScaleMode(m); }
    void setDrawWidth(int v) override { w.setDrawWidth(v); }
    void setFillStyle(int v) override { w.setFillStyle(v); }
    void setFillColor(quint32 c) override { w.setFillColor(c); }
    void line(qint16 f, float a, float b, float c, float d, quint32 col) override { w.line(f, a, b, c, d, col); }
    void circle(qint16 f, float x, float y, float r, quint32 c, float s, float e, float a) override
    {
        w.circle(f, x, y, r, c, s, e, a);
    }
    void setLabelLeft(ResultLabel l, float v) override { w.setLabelLeft(l, v); }
    void setLabelTop(ResultLabel l, float v) override { w.setLabelTop(l, v); }
    void setLabelVisible(ResultLabel l, bool v) override { w.setLabelVisible(l, v); }
    QString settingText(Setting s) const override { return w.settingText(s); }
    void pause(double steps) override
    {
        const auto t0 = Clock::now();
        w.pause(steps);
        const double actual = ms(Clock::now() - t0);
        errors.push_back(std::abs(actual - ms(Pacer::durationFor(steps))));
    }
};

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
        const QImage headline = screen->grabWindow(0, 280, 8, 145, 25).toImage();
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
    Press::run(counter);
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
        Press::run(image);
        floor.push_back(ms(Clock::now() - t0));
    }

    // Pause error at slowdown 1.
    slowdown->setText(QStringLiteral("1"));
    TimedPauses timed(window);
    Press::run(timed);
    window.surface().flush();

    // Processor use while a press at slowdown 20 pauses.
    slowdown->setText(QStringLiteral("20"));
    const double cpu0 = cpuSeconds();
    const auto w0 = Clock::now();
    window.cmdStart_Click();
    const double wall = std::chrono::duration<double>(Clock::now() - w0).count();
    const double cpu = cpuSeconds() - cpu0;

    window.hide();
    QCoreApplication::processEvents();
    std::vector<double> startUps;
    long startPeakKb = 0;
    for (int i = 0; i < 10; ++i) {
        startUps.push_back(startUpMs(startPeakKb));
        QTest::qWait(200);
    }
    const Stats st = stats(startUps);

    const Stats s = stats(shown), f = stats(floor), p = stats(timed.errors);
    std::printf("operations per press            %.0f (lines and circles)\n", ops);
    std::printf("press, shown (%d presses)       median %.3f ms, worst %.3f ms; per operation median %.2f us, worst %.2f us\n",
                presses, s.median, s.worst, s.median * 1000 / ops, s.worst * 1000 / ops);
    std::printf("press, image only (floor)       median %.3f ms, worst %.3f ms; per operation median %.2f us, worst %.2f us\n",
                f.median, f.worst, f.median * 1000 / ops, f.worst * 1000 / ops);
    std::printf("shown / floor                   %.2f (median)\n", s.median / f.median);
    std::printf("pause error at slowdown 1       median %.3f ms, worst %.3f ms over %zu pauses\n", p.median, p.worst,
                timed.errors.size());
    std::printf("processor at slowdown 20        %.2f %% of a core (%.3f s over %.1f s)\n", 100 * cpu / wall, cpu, wall);
    std::printf("peak resident memory            %.1f MB\n", double(peakKb()) / 1024);
    std::printf("start-up to painted window      median %.0f ms, worst %.0f ms (10 starts)\n", st.median, st.worst);
    std::printf("peak memory after start-up      %.1f MB\n", double(startPeakKb) / 1024);
    return 0;
}
