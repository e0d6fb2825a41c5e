// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "colors.h"
#include "recordinghost.h"
#include "press.h"
#include "scene.h"

#include "pixels.h"

#include <QtTest>

#include <cmath>

using namespace Pixel;

namespace {


void press(PictureHost &h, const QString &posun, const QString &kmitocet)
{
    h.texts[Setting::Posun] = posun;
    h.texts[Setting::Kmitocet] = kmitocet;
    h.press();
}

} // namespace

class TestPicture : public QObject
{
    Q_OBJECT

private slots:
    void sameValueSamePixels_data();
    void sameValueSamePixels();
    void bandPaintsOverPreviousPicture();
    void mirrorAndMarks();
    void dotOfRadiusOne();
    void circleWithoutColourUsesForeColor();
    void finishedPicture_data();
    void finishedPicture();
    void pressIsRepeatable();
    void highDpiLinesAreSharp();
};

void TestPicture::sameValueSamePixels_data()
{
    QTest::addColumn<float>("y");
    QTest::addColumn<int>("width");
    QTest::addColumn<QList<int>>("rows");
    QTest::newRow("290.5 w1") << 290.5f << 1 << QList<int>{290};
    QTest::newRow("290.5 w2") << 290.5f << 2 << QList<int>{290, 291};
    QTest::newRow("290.5 w3") << 290.5f << 3 << QList<int>{289, 290, 291};
    QTest::newRow("290.99 w1") << 290.99f << 1 << QList<int>{290};
    QTest::newRow("61 w1") << 61.0f << 1 << QList<int>{61};
}

void TestPicture::sameValueSamePixels()
{
    QFETCH(float, y);
    QFETCH(int, width);
    QFETCH(QList<int>, rows);
    Picture p(Picture::FieldSize);
    p.setScaleMode(3);
    p.setDrawWidth(width);
    // Drawn at different times and over different spans: the same rows.
    p.line(6, 100, y, 200, y, Colors::DarkGrey);
    p.line(6, 300, 0.0f + y, 500, y, Colors::DarkGrey);
    const QImage image = p.snapshot();
    QCOMPARE(rowsAt(image, 150, Dark), rows);
    QCOMPARE(rowsAt(image, 400, Dark), rows);
}

void TestPicture::bandPaintsOverPreviousPicture()
{
    PictureHost h;
    Picture &p = h.picture;
    p.setScaleMode(3);
    p.setDrawWidth(1);
    for (int y = 0; y < 581; ++y)
        p.line(6, 0, float(y), 799, float(y), 0x0000FF);
    SetUp::draw(h.picture, h);
    const QImage image = p.snapshot();
    // The band: x 5 to 795, y 61 to 580; outside it the red stays.
    for (QPoint pt : {QPoint(5, 61), QPoint(795, 61), QPoint(5, 580), QPoint(795, 580), QPoint(400, 500),
                      QPoint(400, 100), QPoint(700, 400)})
        QCOMPARE(at(image, pt.x(), pt.y()), Grey);
    for (QPoint pt : {QPoint(4, 300), QPoint(796, 300), QPoint(400, 60), QPoint(0, 580)})
        QCOMPARE(at(image, pt.x(), pt.y()), Red);
}

void TestPicture::mirrorAndMarks()
{
    PictureHost h;
    SetUp::draw(h.picture, h);
    const QImage image = h.picture.snapshot();
    // Three pixels wide around row 290 from 44 to 764, between the marks.
    for (int x = 48; x <= 760; x += 24)
        if (std::abs(x - 354) > 10 && std::abs(x - 454) > 10)
            QCOMPARE(rowsAt(image, x, Dark), QList<int>({289, 290, 291}));
    QCOMPARE(at(image, 43 - 2, 290), Grey);
    QCOMPARE(at(image, 766, 290), Grey);
    // A mark at every segment's left end, none at 764.
    for (int x = 44; x <= 740; x += 24) {
        QCOMPARE(at(image, x, 288), Dark);
        QCOMPARE(at(image, x, 292), Dark);
    }
    QCOMPARE(at(image, 764, 288), Grey);
    QCOMPARE(at(image, 764, 292), Grey);
}

void TestPicture::dotOfRadiusOne()
{
    Picture p(QSize(100, 100));
    p.setScaleMode(3);
    p.setDrawWidth(3);
    p.setFillStyle(0);
    p.setFillColor(Colors::CaptionText);
    p.circle(2, 50, 50.5f, 1, Colors::DarkGrey);
    const QImage image = p.snapshot();
    // Solid: no white fill shows through, a few pixels across.
    int dark = 0;
    for (int y = 44; y < 57; ++y)
        for (int x = 44; x < 57; ++x) {
            QVERIFY(at(image, x, y) != White);
            dark += at(image, x, y) == Dark;
        }
    for (int d = -1; d <= 1; ++d) {
        QCOMPARE(at(image, 50 + d, 50), Dark);
        QCOMPARE(at(image, 50, 50 + d), Dark);
    }
    QVERIFY2(dark >= 9 && dark <= 25, qPrintable(QString::number(dark)));
}

void TestPicture::circleWithoutColourUsesForeColor()
{
    Picture p(QSize(100, 100));
    p.setScaleMode(3);
    p.setDrawWidth(1);
    p.circle(0, 50, 50, 10, 0x00FF00);
    p.setForeColor(0x0000FF);
    p.circle(0, 50, 50, 20, 0x00FF00);
    const QImage image = p.snapshot();
    QCOMPARE(at(image, 60, 50), Black);
    QCOMPARE(at(image, 70, 50), Red);
    QVERIFY(!rowsAt(image, 50, Green).size());
}

void TestPicture::finishedPicture_data()
{
    QTest::addColumn<QString>("posun");
    QTest::addColumn<QString>("kmitocet");
    QTest::addColumn<int>("sourceX");
    QTest::addColumn<QPointF>("tip");
    QTest::newRow("0/1") << "0" << "1" << 354 << QPointF(653.6, 74.2);
    QTest::newRow("250/2") << "250" << "2" << 104 << QPointF(271.4, 109.1);
}

void TestPicture::finishedPicture()
{
    QFETCH(QString, posun);
    QFETCH(QString, kmitocet);
    QFETCH(int, sourceX);
    QFETCH(QPointF, tip);
    PictureHost h;
    press(h, posun, kmitocet);
    const QImage image = h.picture.snapshot();

    // Both end circles filled white; the source outlined in the foreground
    // colour, the detector in dark grey.
    QCOMPARE(at(image, sourceX, 240), White);
    QCOMPARE(at(image, sourceX + 100, 240), White);
    QCOMPARE(at(image, sourceX + 5, 240), Black);
    QCOMPARE(at(image, sourceX + 105, 240), Dark);

    // The green resultant from the chain start to the tip.
    const QPointF start(sourceX + 240, 190.5);
    int greenSamples = 0;
    for (int i = 1; i < 20; ++i) {
        const QPointF q = start + (tip - start) * (i / 20.0);
        bool found = false;
        for (int dy = 0; dy <= 1 && !found; ++dy)
            for (int dx = 0; dx <= 1 && !found; ++dx)
                found = at(image, int(std::floor(q.x())) + dx, int(std::floor(q.y())) + dy) == Green;
        greenSamples += found;
    }
    QCOMPARE(greenSamples, 19);
}

void TestPicture::pressIsRepeatable()
{
    PictureHost once;
    press(once, "0", "1");
    PictureHost again;
    press(again, "0", "1");
    press(again, "0", "1");
    QCOMPARE(again.picture.snapshot(), once.picture.snapshot());
    // A different press in between leaves no trace either.
    PictureHost other;
    press(other, "250", "2");
    press(other, "0", "1");
    QCOMPARE(other.picture.snapshot(), once.picture.snapshot());
}

void TestPicture::highDpiLinesAreSharp()
{
    Picture p(QSize(100, 100), 2.0);
    p.setScaleMode(3);
    p.setDrawWidth(1);
    p.line(6, 10, 40.5f, 90, 40.5f, Colors::DarkGrey);
    const QImage image = p.snapshot();
    QCOMPARE(image.size(), QSize(200, 200));
    QCOMPARE(rowsAt(image, 100, Dark), QList<int>({80, 81}));
    // Nothing in between colours: drawn at device resolution, not blurred.
    for (int y = 0; y < 200; ++y)
        QVERIFY(at(image, 100, y) == Dark || at(image, 100, y) == Grey);
}

QTEST_MAIN(TestPicture)
#include "tst_picture.moc"
