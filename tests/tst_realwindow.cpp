// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

// The program as a user meets it: started as a process on a real X server,
// driven by synthetic clicks there, and seen through screenshots.
#include "realprogram.h"
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
};

void TestRealWindow::aliveToTheDesktopDuringLongPress()
{
    program.click(QPoint(418, 48), 19); // the scroll bar's right arrow: slowdown 20
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
    QVERIFY2(t.elapsed() >= 29000, qPrintable(QString::number(t.elapsed())));
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
    QVERIFY(count(image, QRect(280, 8, 145, 25), Black) > 50);
    QVERIFY(count(image, QRect(448, 16, 89, 28), Black) > 40);
    QVERIFY(count(image, QRect(552, 16, 89, 28), Black) > 40);
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
