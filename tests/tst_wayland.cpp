// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

// The program on a Wayland compositor (a headless weston): the real binary
// opens its window there, and a press made there by the window in this
// process draws the same picture as the same press on an X server.
#include "picture.h"
#include "look.h"
#include "realprogram.h"
#include "windowdriver.h"

#include <QtTest>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

using namespace Pixel;

namespace {

const QRect Headline(32, 8, 209, 41);
const QRect LabZdrojAt250(44, 200, 41, 41);

// The compositor's whole output, as weston-screenshooter saves it.
QImage screenshot()
{
    QTemporaryDir dir;
    QProcess shooter;
    shooter.setWorkingDirectory(dir.path());
    shooter.start(QStringLiteral("weston-screenshooter"), {});
    if (!shooter.waitForFinished(20000) || shooter.exitCode() != 0)
        return {};
    const QStringList files = QDir(dir.path()).entryList({"*.png"});
    return files.isEmpty() ? QImage() : QImage(dir.filePath(files.first())).convertToFormat(QImage::Format_RGB32);
}

// The window's client area on the screen, found by the headline text
// "Posun zdroje a detektoru..." that the window always shows at (32, 8).
QImage clientArea(const QImage &screen, const QImage &headline)
{
    QList<QPoint> ink; // probes first: a quick no for most places
    for (int y = 0; y < headline.height(); ++y)
        for (int x = 0; x < headline.width(); ++x)
            if (at(headline, x, y) == Black)
                ink << QPoint(x, y);
    for (int y = 0; y + headline.height() <= screen.height(); ++y)
        for (int x = 0; x + headline.width() <= screen.width(); ++x) {
            bool match = true;
            for (const QPoint &p : ink)
                if (at(screen, x + p.x(), y + p.y()) != Black) {
                    match = false;
                    break;
                }
            if (match && screen.copy(x, y, headline.width(), headline.height()) == headline)
                return screen.copy(QRect(QPoint(x, y) - Headline.topLeft(), Picture::FieldSize));
        }
    return {};
}

} // namespace

class TestWayland : public QObject
{
    Q_OBJECT

    QImage headline;

private slots:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QString("wayland"));
        Look::apply(*qApp);
        Zrcadlo fresh;
        headline = fresh.grab(Headline).toImage().convertToFormat(QImage::Format_RGB32);
    }
    void realProgramOpensItsWindow();
    void pressDrawsTheSamePictureAsOnX11();
    void resizedAndFullScreen();
};

// The compositor resizes the window and makes it full screen: the content
// follows, and a press at full screen draws at that size.
void TestWayland::resizedAndFullScreen()
{
    Zrcadlo window;
    WindowDriver d{&window};
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.resize(1200, 872);
    QTRY_COMPARE(window.size(), QSize(1200, 872));
    QCOMPARE(window.placement().scale, 1.5);
    window.showFullScreen();
    QTRY_COMPARE(window.size(), QSize(1280, 1024)); // the output's
    const Fit::Placement p = window.placement();
    QCOMPARE(p.scale, 1.6);
    const auto seen = [&](QPointF design) { return window.fromDesign(design).toPoint(); };
    d.click("cmdStart");
    const QRect resultant(seen({594, 74}), seen({654, 191}));
    QImage screen = screenshot();
    for (int i = 0; i < 40 && count(screen, resultant, Green) < 80; ++i) {
        QTest::qWait(50);
        screen = screenshot();
    }
    // The margins above and below, the window's grey, the chosen option's
    // dot and the resultant, each where the scale puts it.
    QCOMPARE(QList<QRgb>({at(screen, 640, int(p.top / 2)), at(screen, seen({400, 2})), at(screen, seen(At::Op0))}),
             QList<QRgb>({qRgb(0x80, 0x80, 0x80), Grey, Black}));
    QVERIFY(count(screen, resultant, Green) >= 80);
}

void TestWayland::realProgramOpensItsWindow()
{
    QProcess program;
    program.start(QStringLiteral(ZRCADLO_BINARY), {});
    QVERIFY(program.waitForStarted());
    QImage window;
    for (int i = 0; i < 50 && window.size() != Picture::FieldSize; ++i) {
        QTest::qWait(100);
        window = clientArea(screenshot(), headline);
    }
    QCOMPARE(window.size(), Picture::FieldSize);
    QVERIFY(count(window, At::Headline, Black) > 50);
    QCOMPARE(program.state(), QProcess::Running);
    program.terminate();
    QVERIFY(program.waitForFinished());
}

void TestWayland::pressDrawsTheSamePictureAsOnX11()
{
    // Shift 250, frequency 2, slowdown 1 on the X server: the reference.
    RealProgram x11;
    QVERIFY(x11.launch());
    x11.click(At::Op250);
    x11.click(At::Op2);
    x11.click(At::Start);
    const QImage reference = x11.finishedPress();
    QCOMPARE(elementArrows(reference), 30);
    x11.stop();

    Zrcadlo window;
    WindowDriver d{&window};
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    d.click("op250");
    d.click("op2");
    // Seen part-way through, from inside the press: the compositor has
    // been given the frames drawn so far.
    QImage during;
    QTimer::singleShot(700, this, [&] { during = clientArea(screenshot(), headline); });
    d.click("cmdStart");
    QCOMPARE(during.size(), Picture::FieldSize);
    QVERIFY2(elementArrows(during) > 0 && elementArrows(during) < 30, qPrintable(QString::number(elementArrows(during))));

    QImage after;
    auto finished = [](const QImage &i) { return !i.isNull() && labelShown(i, LabZdrojAt250); };
    for (int i = 0; i < 40 && !finished(after); ++i) {
        QTest::qWait(50);
        after = clientArea(screenshot(), headline);
    }
    QCOMPARE(after.size(), Picture::FieldSize);
    // The band the press paints, below the buttons (whose focus frames
    // follow the way each was clicked).
    const QRect band(0, 61, 800, 520);
    int differ = 0;
    for (int y = band.top(); y <= band.bottom(); ++y)
        for (int x = band.left(); x <= band.right(); ++x)
            differ += at(after, x, y) != at(reference, x, y);
    if (differ) {
        after.save("wayland.png");
        reference.save("x11.png");
    }
    QVERIFY2(differ == 0, qPrintable(QString("%1 pixels differ: see wayland.png and x11.png").arg(differ)));
}

QTEST_MAIN(TestWayland)
#include "tst_wayland.moc"
