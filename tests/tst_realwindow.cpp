// The program as a user meets it: started as a process on a real X server,
// driven by synthetic clicks there, and seen through screenshots.
#include "pixelcolours.h"

#include <QtTest>
#include <QApplication>
#include <QProcess>
#include <QScreen>
#include <QWidget>

using namespace Pixel;

namespace {


QString run(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    if (!p.waitForFinished(15000))
        qFatal("xdotool %s did not finish", qPrintable(args.join(' ')));
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

int count(const QImage &image, QRect area, QRgb colour)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += (image.pixel(x, y) | 0xFF000000u) == colour;
    return n;
}

// Element arrows drawn so far: the tail circles in the row under the mirror.
int elementArrows(const QImage &image)
{
    int n = 0;
    for (int e = 0; e < 30; ++e)
        n += count(image, QRect(56 + 24 * e - 1, 304, 3, 3), Dark) > 0;
    return n;
}

bool labelShown(const QImage &image, QRect area)
{
    return count(image, area, Black) > 20;
}

const QRect labZdroj(294, 200, 41, 41);
const QPoint start(492, 30), konec(596, 30), op0(46, 78), op250(78, 78);

} // namespace

class TestRealWindow : public QObject
{
    Q_OBJECT

    QProcess program;
    QString window;
    QRect geometry;
    QElapsedTimer clock;

    QImage grab() const
    {
        return QGuiApplication::primaryScreen()
            ->grabWindow(0, geometry.x(), geometry.y(), geometry.width(), geometry.height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
    void click(QPoint at) const
    {
        run({"mousemove", "--window", window, QString::number(at.x()), QString::number(at.y()), "click", "1"});
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
    QImage finishedPress()
    {
        return waitFor([](const QImage &i) { return elementArrows(i) == 30 && labelShown(i, labZdroj); });
    }

    void launch(const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
    {
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(ZRCADLO_BINARY), {});
        QVERIFY(program.waitForStarted());
        window = run({"search", "--sync", "--onlyvisible", "--pid", QString::number(program.processId()),
                      "--name", "^Velimor - "});
        QVERIFY2(!window.isEmpty(), "the window did not open");
        window = window.split('\n').first();
        const QStringList shell = run({"getwindowgeometry", "--shell", window}).split('\n');
        QMap<QString, int> g;
        for (const QString &kv : shell)
            g[kv.section('=', 0, 0)] = kv.section('=', 1).toInt();
        geometry = QRect(g["X"], g["Y"], g["WIDTH"], g["HEIGHT"]);
    }

private slots:
    void init()
    {
        launch();
        // Wait until the window has painted itself.
        waitFor([](const QImage &i) { return count(i, QRect(280, 8, 145, 25), Black) > 50; });
    }
    void cleanup()
    {
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished();
        }
    }

    void windowAsUserSeesIt();
    void pictureGrowsDuringPress();
    void clickDuringPressWaitsForItsEnd();
    void konecDuringPressEndsAfterIt();
    void pictureSurvivesBeingCovered();
    void highDpiDrawsAtDeviceResolution();
};

void TestRealWindow::highDpiDrawsAtDeviceResolution()
{
    cleanup();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_SCALE_FACTOR", "2");
    launch(env);
    // Everything twice the size: the window, the controls, the picture.
    QCOMPARE(geometry.size(), QSize(1600, 1162));
    waitFor([](const QImage &i) { return count(i, QRect(560, 16, 290, 50), Black) > 200; });
    click(start * 2);
    const QImage image = waitFor([](const QImage &i) { return count(i, QRect(1188, 148, 120, 234), Green) > 200; });
    QVERIFY(count(image, QRect(1188, 148, 120, 234), Green) > 200);
    QVERIFY(count(image, QRect(560, 16, 290, 50), Black) > 200);
    // The 1-pixel graph baseline at 490.5: two device rows, sharp.
    for (int x : {600, 1000, 1400}) {
        QCOMPARE(image.pixel(x, 980) | 0xFF000000u, Dark);
        QCOMPARE(image.pixel(x, 981) | 0xFF000000u, Dark);
        QCOMPARE(image.pixel(x, 979) | 0xFF000000u, Grey);
        QCOMPARE(image.pixel(x, 982) | 0xFF000000u, Grey);
    }
    // The 3-pixel mirror: six device rows.
    QCOMPARE(count(image, QRect(1036, 574, 1, 12), Dark), 6);
    QCOMPARE(image.pixel(1036, 578) | 0xFF000000u, Dark);
    QCOMPARE(image.pixel(1036, 583) | 0xFF000000u, Dark);
}

void TestRealWindow::windowAsUserSeesIt()
{
    QVERIFY2(geometry.width() >= 800 && geometry.height() >= 581,
             qPrintable(QString("%1x%2").arg(geometry.width()).arg(geometry.height())));
    const QImage image = grab();
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
    QCOMPARE(image.pixel(op0) | 0xFF000000u, Black);
    QVERIFY(image.pixel(op250) != Black);
    // No result label and no picture yet: the field is plain grey.
    QCOMPARE(count(image, QRect(0, 100, 800, 481), Grey), 800 * 481);
}

void TestRealWindow::pictureGrowsDuringPress()
{
    click(start);
    const QImage during = waitFor([](const QImage &i) { return elementArrows(i) > 0; });
    const int shown = elementArrows(during);
    QVERIFY2(shown > 0 && shown < 30, qPrintable(QString::number(shown)));
    const QImage after = finishedPress();
    QCOMPARE(elementArrows(after), 30);
    QVERIFY(count(after, QRect(594, 74, 60, 117), Green) > 50);
}

void TestRealWindow::clickDuringPressWaitsForItsEnd()
{
    click(start);
    finishedPress();
    click(start);
    waitFor([](const QImage &i) { return elementArrows(i) < 30; });
    click(op250);
    const QImage during = waitFor([](const QImage &i) { return elementArrows(i) > 3; });
    QVERIFY(elementArrows(during) < 30);
    // Still shift 0, the labels of the first press still there.
    QVERIFY(labelShown(during, labZdroj));
    QCOMPARE(during.pixel(op0) | 0xFF000000u, Black);
    QVERIFY(during.pixel(op250) != Black);
    // After the press the click takes effect: 250 selected, labels hidden,
    // and the picture is the one of shift 0.
    const QImage after = waitFor([](const QImage &i) { return !labelShown(i, labZdroj); });
    QVERIFY(!labelShown(after, labZdroj));
    QCOMPARE(elementArrows(after), 30);
    QCOMPARE(after.pixel(op250) | 0xFF000000u, Black);
    QCOMPARE(after.pixel(354, 240) | 0xFF000000u, White);
}

void TestRealWindow::konecDuringPressEndsAfterIt()
{
    click(start);
    waitFor([](const QImage &i) { return elementArrows(i) > 0; });
    QElapsedTimer t;
    t.start();
    click(konec);
    QTest::qWait(300);
    QCOMPARE(program.state(), QProcess::Running);
    QVERIFY(elementArrows(grab()) < 30);
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
}

void TestRealWindow::pictureSurvivesBeingCovered()
{
    click(start);
    const QImage before = finishedPress();
    QWidget cover;
    cover.setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
    cover.setAutoFillBackground(true);
    cover.setPalette(QPalette(Qt::red));
    cover.setGeometry(geometry);
    cover.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cover));
    const QImage covered = waitFor([](const QImage &i) { return elementArrows(i) == 0; });
    QCOMPARE(elementArrows(covered), 0);
    cover.hide();
    const QImage uncovered = waitFor([](const QImage &i) { return elementArrows(i) == 30; });
    QCOMPARE(uncovered.copy(0, 61, 800, 520), before.copy(0, 61, 800, 520));
}

QTEST_MAIN(TestRealWindow)
#include "tst_realwindow.moc"
