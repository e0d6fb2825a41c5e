// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

// The program as a user meets it: started as a process on a real X server,
// driven by synthetic clicks there, and seen through screenshots.
#include "fit.h"
#include "pacer.h"
#include "realprogram.h"
#include "recordinghost.h"
#include "windowmanager.h"

#include <QtTest>
#include <QApplication>
#include <QWidget>

using namespace Pixel;
using namespace At;

class TestRealWindow : public QObject
{
    Q_OBJECT

    RealProgram program;
    const QRect &geometry = program.geometry;

private slots:
    void init() { QVERIFY2(program.launch(), "the window did not open"); }
    void cleanup() { program.stop(); }

    void windowAsUserSeesIt();
    void pictureGrowsDuringPress();
    void clickDuringPressWaitsForItsEnd();
    void konecDuringPressEndsAfterIt();
    void pictureSurvivesBeingCovered();
    void highDpiDrawsAtDeviceResolution();
    void aliveToTheDesktopDuringLongPress();
    void fitsAnySize_data();
    void fitsAnySize();
};

void TestRealWindow::fitsAnySize_data()
{
    QTest::addColumn<QSize>("client");
    QTest::addColumn<bool>("midway"); // resized in the middle of a press, a click held meanwhile
    QTest::newRow("1 : 1") << QSize(800, 581) << false;
    QTest::newRow("twice") << QSize(1600, 1162) << false;
    QTest::newRow("twice, grown in the middle of a press") << QSize(1600, 1162) << true;
    QTest::newRow("projector") << QSize(1920, 1080) << false;
    QTest::newRow("netbook") << QSize(1024, 600) << false;
    QTest::newRow("half") << QSize(400, 290) << false;
}

// Resized by the window system, the content fills the limiting side,
// centred, darker margins around it; Start is hit where it is seen; at
// twice the size the picture is the one drawn at pixel ratio 2, also when
// the window grew mid-press; a click held across the resize lands on the
// control it was aimed at.
void TestRealWindow::fitsAnySize()
{
    QFETCH(QSize, client);
    QFETCH(bool, midway);
    const Fit::Placement p = Fit::place(client.width(), client.height(), 1);
    const auto seen = [&](QPointF design) { return (design * p.scale + QPointF(p.left, p.top)).toPoint(); };
    if (midway) {
        program.click(QPoint(418, 48), 4); // slowdown 5
        program.click(Start);
        program.waitFor([](const QImage &i) { return elementArrows(i) > 2; });
        program.click(Op250);
    }
    program.resize(client);
    // The content: what is not of the margins' darker grey.
    const auto content = [](const QImage &i) {
        QRect box;
        for (int y = 0; y < i.height(); ++y)
            for (int x = 0; x < i.width(); ++x)
                if (at(i, x, y) != qRgb(0x80, 0x80, 0x80))
                    box |= QRect(x, y, 1, 1);
        return box;
    };
    const QRect want(seen({0, 0}), seen({800, 581}) - QPoint(1, 1));
    const auto fits = [&](const QImage &i) {
        const QRect c = content(i);
        return std::max({std::abs(c.left() - want.left()), std::abs(c.top() - want.top()),
                         std::abs(c.right() - want.right()), std::abs(c.bottom() - want.bottom())}) <= 1
               && at(i, seen({400, 2})) == Grey;
    };
    const QImage opened = program.waitFor(fits);
    QVERIFY2(fits(opened), qPrintable(QString("content %1,%2 %3x%4").arg(content(opened).x()).arg(content(opened).y())
                                          .arg(content(opened).width()).arg(content(opened).height())));
    if (!midway)
        program.click(seen(Start));
    // The green resultant (below 1 : 1 its line is thinner than a pixel of
    // the design, and Qt's raster blends it a little).
    const QRect resultant(seen({594, 74}), seen({654, 191}));
    const auto green = [&](const QImage &i) {
        int n = 0;
        for (int y = resultant.top(); y <= resultant.bottom(); ++y)
            for (int x = resultant.left(); x <= resultant.right(); ++x)
                n += qGreen(at(i, x, y)) > 240 && qRed(at(i, x, y)) < 16;
        return n > 50 * p.scale;
    };
    QVERIFY(green(program.waitFor(green, 20000)));
    const QImage done = program.grab();
    if (midway)
        QCOMPARE(program.waitFor([&](const QImage &i) { return at(i, seen(Op250)) == Black; }).pixel(seen(Op250)) | 0xFF000000u,
                 Black);
    if (p.scale != 2)
        return;
    PictureHost reference(2);
    reference.press();
    const QImage &want2 = reference.picture.image();
    // Below the controls, away from the result labels (shown or not).
    const QList<QRect> labels{{294, 200, 41, 41}, {434, 210, 65, 25}, {614, 190, 105, 41}, {420, 320, 137, 57},
                              {54, 340, 49, 17}};
    int differ = 0;
    for (int y = 200; y < 1162; ++y)
        for (int x = 0; x < 1600; ++x)
            differ += std::none_of(labels.begin(), labels.end(), [&](QRect l) { return l.contains(x / 2, y / 2); })
                      && at(done, x, y) != (want2.pixel(x, y) | 0xFF000000u);
    QCOMPARE(differ, 0);
}

void TestRealWindow::aliveToTheDesktopDuringLongPress()
{
    // Long enough for every check below, with the press still running.
    const int slowdown = 8;
    program.click(QPoint(418, 48), slowdown - 1); // the scroll bar's right arrow
    QTest::qWait(300);
    WindowManager wm(program.window);
    QVERIFY(wm.ping(1000) >= 0); // answered before the press too
    QElapsedTimer t;
    program.click(Start);
    t.start();

    // The window manager's pings are answered during the press, not after it.
    QStringList answers;
    for (int at : {300, 1000, 2000, 5000}) {
        QTest::qWait(int(at - t.elapsed()));
        const qint64 ms = wm.ping(3000);
        answers << QString("%1 ms at %2 ms").arg(ms).arg(at);
        QVERIFY2(ms >= 0 && ms < 3000, qPrintable(answers.join(", ")));
    }
    qInfo("ping answers: %s", qPrintable(answers.join(", ")));

    // A part covered and uncovered shows what was drawn so far, no blank.
    const int before = elementArrows(program.grab());
    QVERIFY2(before > 3 && before < 30, qPrintable(QString::number(before)));
    QWidget cover;
    cover.setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
    cover.setAutoFillBackground(true);
    cover.setPalette(QPalette(Qt::red));
    const QRect part(geometry.x() + 40, geometry.y() + 150, 500, 300);
    cover.setGeometry(part);
    cover.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cover));
    QTest::qWait(200);
    cover.hide();
    const QImage uncovered = program.waitFor([](const QImage &i) { return count(i, i.rect(), Red) == 0; }, 500);
    QCOMPARE(count(uncovered, uncovered.rect(), Red), 0);
    QVERIFY(elementArrows(uncovered) >= before);
    QVERIFY(count(uncovered, QRect(44, 289, 720, 3), Dark) > 1500); // the mirror is there

    // A close request waits for the end of the press; then the program ends well.
    wm.askToClose();
    QTest::qWait(1000);
    QCOMPARE(program.process.state(), QProcess::Running);
    QVERIFY(program.process.waitForFinished(40000));
    const auto press = 30 * slowdown * Pacer::UnitDuration;
    QVERIFY2(t.elapsed() >= std::chrono::milliseconds(press).count() - 1000, qPrintable(QString::number(t.elapsed())));
    QCOMPARE(program.process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.process.exitCode(), 0);
}

void TestRealWindow::highDpiDrawsAtDeviceResolution()
{
    cleanup();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_SCALE_FACTOR", "2");
    QVERIFY(program.launch(env));
    // Everything twice the size: the window, the controls, the picture.
    QCOMPARE(geometry.size(), QSize(1600, 1162));
    program.click(Start * 2);
    const QImage image = program.waitFor([](const QImage &i) { return count(i, QRect(1188, 148, 120, 234), Green) > 200; });
    QVERIFY(count(image, QRect(1188, 148, 120, 234), Green) > 200);
    QVERIFY(count(image, QRect(560, 16, 290, 50), Black) > 200);
    // The 1-pixel graph baseline at 490.5: two device rows, sharp.
    for (int x : {600, 1000, 1400}) {
        QCOMPARE(at(image, x, 980), Dark);
        QCOMPARE(at(image, x, 981), Dark);
        QCOMPARE(at(image, x, 979), Grey);
        QCOMPARE(at(image, x, 982), Grey);
    }
    // The 3-pixel mirror: six device rows.
    QCOMPARE(count(image, QRect(1036, 574, 1, 12), Dark), 6);
    QCOMPARE(at(image, 1036, 578), Dark);
    QCOMPARE(at(image, 1036, 583), Dark);
}

void TestRealWindow::windowAsUserSeesIt()
{
    QVERIFY2(geometry.width() >= 800 && geometry.height() >= 581,
             qPrintable(QString("%1x%2").arg(geometry.width()).arg(geometry.height())));
    const QImage image = program.grab();
    // Headline, the two buttons' captions and the frames' captions in black.
    QVERIFY(count(image, At::box("labVelimor"), Black) > 50);
    QVERIFY(count(image, At::box("cmdStart"), Black) > 40);
    QVERIFY(count(image, At::box("cmdKonec"), Black) > 40);
    QVERIFY(count(image, QRect(32, 56, 89, 14), Black) > 30);
    QVERIFY(count(image, QRect(152, 56, 129, 14), Black) > 60);
    // Frames: a light edge along their bottom border.
    QVERIFY(count(image, QRect(32, 86, 89, 3), White) > 60);
    QVERIFY(count(image, QRect(152, 86, 129, 3), White) > 90);
    // The selected options show their dot; the others do not.
    QCOMPARE(at(image, Op0), Black);
    QVERIFY(at(image, Op250) != Black);
    // No result label and no picture yet: the field is plain grey.
    QCOMPARE(count(image, QRect(0, 100, 800, 481), Grey), 800 * 481);
}

void TestRealWindow::pictureGrowsDuringPress()
{
    program.click(Start);
    const QImage during = program.waitFor([](const QImage &i) { return elementArrows(i) > 0; });
    const int shown = elementArrows(during);
    QVERIFY2(shown > 0 && shown < 30, qPrintable(QString::number(shown)));
    const QImage after = program.finishedPress();
    QCOMPARE(elementArrows(after), 30);
    QVERIFY(count(after, QRect(594, 74, 60, 117), Green) > 50);
}

void TestRealWindow::clickDuringPressWaitsForItsEnd()
{
    program.click(Start);
    program.finishedPress();
    program.click(Start);
    program.waitFor([](const QImage &i) { return elementArrows(i) < 30; });
    program.click(Op250);
    const QImage during = program.waitFor([](const QImage &i) { return elementArrows(i) > 3; });
    QVERIFY(elementArrows(during) < 30);
    // Still shift 0, the labels of the first press still there.
    QVERIFY(labelShown(during, LabZdroj));
    QCOMPARE(at(during, Op0), Black);
    QVERIFY(at(during, Op250) != Black);
    // After the press the click takes effect: 250 selected, labels hidden,
    // and the picture is the one of shift 0.
    const QImage after = program.waitFor([](const QImage &i) { return !labelShown(i, LabZdroj); });
    QVERIFY(!labelShown(after, LabZdroj));
    QCOMPARE(elementArrows(after), 30);
    QCOMPARE(at(after, Op250), Black);
    QCOMPARE(at(after, 354, 240), White);
}

void TestRealWindow::konecDuringPressEndsAfterIt()
{
    program.click(Start);
    program.waitFor([](const QImage &i) { return elementArrows(i) > 0; });
    QElapsedTimer t;
    t.start();
    program.click(Konec);
    QTest::qWait(300);
    QCOMPARE(program.process.state(), QProcess::Running);
    QVERIFY(elementArrows(program.grab()) < 30);
    QVERIFY(program.process.waitForFinished(10000));
    QCOMPARE(program.process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.process.exitCode(), 0);
}

void TestRealWindow::pictureSurvivesBeingCovered()
{
    program.click(Start);
    const QImage before = program.finishedPress();
    QWidget cover;
    cover.setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
    cover.setAutoFillBackground(true);
    cover.setPalette(QPalette(Qt::red));
    cover.setGeometry(geometry);
    cover.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cover));
    const QImage covered = program.waitFor([](const QImage &i) { return elementArrows(i) == 0; });
    QCOMPARE(elementArrows(covered), 0);
    cover.hide();
    const QImage uncovered = program.waitFor([](const QImage &i) { return elementArrows(i) == 30; });
    QCOMPARE(uncovered.copy(0, 61, 800, 520), before.copy(0, 61, 800, 520));
}

QTEST_MAIN(TestRealWindow)
#include "tst_realwindow.moc"
