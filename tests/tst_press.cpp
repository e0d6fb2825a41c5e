// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "announcer.h"
#include "colors.h"
#include "description.h"
#include "fit.h"
#include "pacer.h"
#include "press.h"
#include "recordinghost.h"
#include "recording.h"
#include "scene.h"
#include "startsettings.h"
#include "textnumber.h"

#include <QtTest>

#include <cmath>

using namespace std::chrono_literals;

using Kind = RecordingHost::Kind;
using Op = RecordingHost::Op;

namespace {

char letter(Kind k)
{
    switch (k) {
    case Kind::ScaleMode: return 'S';
    case Kind::DrawWidth: return 'W';
    case Kind::FillStyle: return 'F';
    case Kind::FillColor: return 'C';
    case Kind::Line: return 'L';
    case Kind::Circle: return 'O';
    case Kind::Left: return 'X';
    case Kind::Top: return 'Y';
    case Kind::Visible: return 'V';
    case Kind::Read: return 'R';
    case Kind::Pause: return 'P';
    }
    return '?';
}

QString signature(const RecordingHost &h)
{
    QString s;
    for (const Op &op : h.operations())
        s += QLatin1Char(letter(op.kind));
    return s;
}

// The order of a whole press, one letter an operation.
QString expectedSignature(bool readsFrequencyAtEnd, bool placesSoucet)
{
    QString s = "SW" + QString(520, 'L') + "RRR" + "WCFO" + "CFO" + "W";
    for (int i = 0; i < 30; ++i)
        s += "LO";
    s += "OW";
    for (int i = 0; i < 30; ++i)
        s += "LLWOLWLLWOWLRP";
    s += "LWLLLCFOO" + QString("XY").repeated(4) + "R";
    if (readsFrequencyAtEnd)
        s += "R";
    if (placesSoucet)
        s += "XY";
    s += "VVVVV";
    return s;
}

void comparePoint(float x, float y, double ex, double ey, double tolerance)
{
    if (std::abs(x - ex) > tolerance || std::abs(y - ey) > tolerance)
        QFAIL(qPrintable(QString("(%1, %2) is not (%3, %4)").arg(x).arg(y).arg(ex).arg(ey)));
}

} // namespace

class TestPress : public QObject
{
    Q_OBJECT

private slots:
    void wholePress_data();
    void wholePress();
    void elementPasses();
    void labSoucetByTexts_data();
    void labSoucetByTexts();
    void slowdownReadForEveryElement();
    void finishedPressDrawsNoMore();
    void description_data();
    void description();
    void announcements_data();
    void announcements();
    void phaseFactor_data();
    void phaseFactor();
    void textToNumber_data();
    void textToNumber();
    void pauseDuration_data();
    void pauseDuration();
    void fit_data();
    void fit();
    void recordingDrawsAgain();
    void startSettings_data();
    void startSettings();
};

void TestPress::wholePress_data()
{
    QTest::addColumn<QString>("posun");
    QTest::addColumn<QString>("kmitocet");
    QTest::addColumn<double>("sourceX");
    QTest::addColumn<double>("leastX");
    QTest::addColumn<double>("leastY");
    QTest::addColumn<double>("tipX");
    QTest::addColumn<double>("tipY");
    QTest::addColumn<QPointF>("soucet");

    QTest::newRow("0/1") << "0" << "1" << 354.0 << 404.0 << 470.214 << 653.6 << 74.2 << QPointF(614, 190.5);
    QTest::newRow("0/2") << "0" << "2" << 354.0 << 404.0 << 470.214 << 502.2 << 122.0 << QPointF(614, 190.5);
    QTest::newRow("250/1") << "250" << "1" << 104.0 << 152.0 << 470.492 << 452.2 << 157.1 << QPointF(444, 190.5);
    QTest::newRow("250/2") << "250" << "2" << 104.0 << 152.0 << 470.492 << 271.4 << 109.1 << QPointF(304, 100.5);
}

void TestPress::wholePress()
{
    QFETCH(QString, posun);
    QFETCH(QString, kmitocet);
    QFETCH(double, sourceX);
    QFETCH(double, leastX);
    QFETCH(double, leastY);
    QFETCH(double, tipX);
    QFETCH(double, tipY);
    QFETCH(QPointF, soucet);
    const double shift = posun.toDouble();

    RecordingHost h;
    h.texts[Setting::Posun] = posun;
    h.texts[Setting::Kmitocet] = kmitocet;
    h.press();

    QCOMPARE(signature(h), expectedSignature(posun == "250", true));
    QCOMPARE(h.operations()[0].a, 3.0f);

    // Background band: 520 rows, bottom first, in the window's grey.
    for (int r = 1; r <= 520; ++r) {
        const Op &op = h.operations()[1 + r];
        QCOMPARE(op.flags, 6);
        QCOMPARE(op.color, Colors::LightGrey);
        QCOMPARE(op.drawWidth, 1);
        QCOMPARE(QList<float>({op.a, op.b, op.c, op.d}), QList<float>({5, float(581 - r), 795, float(581 - r)}));
    }

    const QList<Op> circles = h.of(Kind::Circle);
    QCOMPARE(circles.size(), 2 + 30 + 1 + 60 + 2);
    // Source, then detector, with their fills.
    comparePoint(circles[0].a, circles[0].b, sourceX, 240.5, 0);
    QCOMPARE(circles[0].fillColor, Colors::CaptionText);
    QCOMPARE(circles[0].drawWidth, 2);
    comparePoint(circles[1].a, circles[1].b, sourceX + 100, 240.5, 0);
    QCOMPARE(circles[1].fillColor, Colors::ButtonFace);
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(circles[i].c, 5.0f);
        QCOMPARE(circles[i].fillStyle, 0);
        QCOMPARE(circles[i].color, Colors::DarkGrey);
    }

    // Mirror: 30 segments from 44 to 764, each followed by its mark.
    const QList<Op> lines = h.of(Kind::Line);
    for (int i = 1; i <= 30; ++i) {
        const Op &seg = lines[520 + i - 1];
        QCOMPARE(QList<float>({seg.a, seg.b, seg.c, seg.d}),
                 QList<float>({float(20 + 24 * i), 290.5f, float(20 + 24 * (i + 1)), 290.5f}));
        QCOMPARE(seg.drawWidth, 3);
        const Op &mark = circles[1 + i];
        comparePoint(mark.a, mark.b, 20 + 24 * i, 290.5, 0);
        QCOMPARE(mark.c, 1.0f);
        QCOMPARE(mark.drawWidth, 3);
        QCOMPARE(mark.fillColor, Colors::ButtonFace);
    }
    // Chain start, still three pixels wide.
    comparePoint(circles[32].a, circles[32].b, sourceX + 240, 190.5, 0);
    QCOMPARE(circles[32].c, 2.0f);
    QCOMPARE(circles[32].drawWidth, 3);

    // The chain: head to tail from the chain start to the tip.
    QList<Op> chain;
    for (int e = 0; e < 30; ++e)
        chain << lines[550 + e * 6 + 5];
    comparePoint(chain[0].a, chain[0].b, sourceX + 240, 190.5, 0);
    for (int e = 1; e < 30; ++e)
        comparePoint(chain[e].a, chain[e].b, chain[e - 1].c, chain[e - 1].d, 0);
    comparePoint(chain[29].c, chain[29].d, tipX, tipY, 0.06);

    // The end: marker, shortest path (detector first), green resultant.
    const Op &marker = lines[730];
    comparePoint(marker.a, marker.b, leastX, leastY, 0.001);
    comparePoint(marker.c, marker.d, leastX, 100, 0);
    QCOMPARE(marker.drawWidth, 1);
    const Op &toDetector = lines[731];
    const Op &toSource = lines[732];
    comparePoint(toDetector.a, toDetector.b, leastX, 290.5, 0);
    comparePoint(toDetector.c, toDetector.d, sourceX + 100, 240.5, 0);
    comparePoint(toSource.c, toSource.d, sourceX, 240.5, 0);
    QCOMPARE(toSource.drawWidth, 2);
    const Op &green = lines[733];
    QCOMPARE(green.color, Colors::Green);
    QCOMPARE(green.drawWidth, 2);
    comparePoint(green.a, green.b, sourceX + 240, 190.5, 0);
    comparePoint(green.c, green.d, chain[29].c, chain[29].d, 0);

    // End circles: detector outlined dark grey, source in the foreground colour.
    const Op &detector = circles[93];
    const Op &source = circles[94];
    comparePoint(detector.a, detector.b, sourceX + 100, 240.5, 0);
    QCOMPARE(detector.flags, 2);
    QCOMPARE(detector.color, Colors::DarkGrey);
    QCOMPARE(detector.fillColor, Colors::CaptionText);
    comparePoint(source.a, source.b, sourceX, 240.5, 0);
    QCOMPARE(source.flags, 0);
    QCOMPARE(source.fillColor, Colors::CaptionText);
    QCOMPARE(source.drawWidth, 2);

    // Labels, Left before Top, in order.
    const QList<Op> lefts = h.of(Kind::Left);
    const QList<Op> tops = h.of(Kind::Top);
    QCOMPARE(lefts.size(), 5);
    const QList<ResultLabel> order{ResultLabel::Radius, ResultLabel::Cas, ResultLabel::Zdroj,
                                   ResultLabel::Detektor, ResultLabel::Soucet};
    const QList<QPointF> positions{{420, 320.5}, {54, 340.5}, {294 - shift, 200.5}, {434 - shift, 210.5}, soucet};
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(lefts[i].label, order[i]);
        QCOMPARE(tops[i].label, order[i]);
        comparePoint(lefts[i].a, tops[i].a, positions[i].x(), positions[i].y(), 0);
    }
    const QList<Op> shown = h.of(Kind::Visible);
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(shown[i].label, order[i]);
        QCOMPARE(shown[i].a, 1.0f);
    }

    // What stands on the window afterwards.
    QCOMPARE(h.drawWidth(), 2);
    QCOMPARE(h.fillStyle(), 0);
    QCOMPARE(h.fillColor(), Colors::CaptionText);
}

void TestPress::elementPasses()
{
    RecordingHost h;
    h.press();
    const QList<Op> lines = h.of(Kind::Line);
    const QList<Op> circles = h.of(Kind::Circle);

    // Widths within a pass, and the settings the first element shows.
    int pass = 0;
    int widthsInPass = 0;
    const int sweepStart = 2 + 520 + 3 + 4 + 3 + 1 + 60 + 2;
    QCOMPARE(h.operations()[sweepStart - 1].kind, Kind::DrawWidth);
    for (const Op &op : h.ops().mid(sweepStart)) {
        if (pass == 30)
            break;
        if (op.kind == Kind::DrawWidth)
            ++widthsInPass;
        if (op.kind == Kind::Pause) {
            QCOMPARE(widthsInPass, 4);
            QCOMPARE(op.pause, 50ms);
            widthsInPass = 0;
            ++pass;
        }
    }
    QCOMPARE(pass, 30);

    const double L = std::sqrt(252208.0);
    const double theta = 3 * (1.57041 / 100) * L;
    QVERIFY(std::abs(L - 502.203) < 0.001);
    QVERIFY(std::abs(theta - 23.660) < 0.001);
    const Op &toMirror = lines[550];
    const Op &toDetector = lines[551];
    comparePoint(toMirror.a, toMirror.b, 354, 240.5, 0);
    comparePoint(toMirror.c, toMirror.d, 56, 290.5, 0);
    comparePoint(toDetector.c, toDetector.d, 454, 240.5, 0);
    QCOMPARE(toMirror.drawWidth, 1);
    const Op &tail = circles[33];
    comparePoint(tail.a, tail.b, 56, 305.5, 0);
    QCOMPARE(tail.drawWidth, 2);
    const Op &arrow = lines[552];
    comparePoint(arrow.c, arrow.d, 56 + 10 * std::cos(theta), 305.5 + 10 * std::sin(theta), 1e-4);
    QCOMPARE(arrow.drawWidth, 2);
    const Op &baseline = lines[553];
    const Op &axis = lines[554];
    QCOMPARE(QList<float>({baseline.a, baseline.b, baseline.c, baseline.d}), QList<float>({44, 490.5, 764, 490.5}));
    QCOMPARE(QList<float>({axis.a, axis.b, axis.c, axis.d}), QList<float>({44, 340.5, 44, 490.5}));
    QCOMPARE(baseline.drawWidth, 1);
    const Op &point = circles[34];
    comparePoint(point.a, point.b, 56, 390.059, 0.001);
    QCOMPARE(point.drawWidth, 2);
    QCOMPARE(lines[555].drawWidth, 1);

    // Elements left to right, centres 56 to 752.
    for (int e = 0; e < 30; ++e)
        QCOMPARE(lines[550 + e * 6].c, float(56 + 24 * e));

    // The pause after the last element comes before the marker.
    int lastPause = -1;
    const QList<Op> ops = h.ops();
    for (int i = 0; i < ops.size(); ++i)
        if (ops[i].kind == Kind::Pause)
            lastPause = i;
    QCOMPARE(ops[lastPause + 1].kind, Kind::Line);
    QCOMPARE(ops[lastPause + 1].d, 100.0f);
}

void TestPress::labSoucetByTexts_data()
{
    QTest::addColumn<QString>("posun");
    QTest::addColumn<QString>("kmitocet");
    QTest::addColumn<bool>("readsFrequency");
    QTest::newRow("250 with 3") << "250" << "3" << true;
    QTest::newRow("250 with empty") << "250" << "" << true;
    QTest::newRow("250 with 1.0") << "250" << "1.0" << true;
    QTest::newRow("decimal point") << "250.0" << "1" << false;
    QTest::newRow("leading blank") << " 250" << "1" << false;
    QTest::newRow("not a number") << "abc" << "1" << false;
    QTest::newRow("empty") << "" << "2" << false;
}

void TestPress::labSoucetByTexts()
{
    QFETCH(QString, posun);
    QFETCH(QString, kmitocet);
    QFETCH(bool, readsFrequency);
    RecordingHost h;
    h.texts[Setting::Posun] = posun;
    h.texts[Setting::Kmitocet] = kmitocet;
    h.press();
    QCOMPARE(signature(h), expectedSignature(readsFrequency, false));
    for (const Op &op : h.of(Kind::Left))
        QVERIFY(op.label != ResultLabel::Soucet);
    QCOMPARE(h.of(Kind::Visible).last().label, ResultLabel::Soucet);
}

namespace {
// Changes the slowdown after every pause, as if the store were rewritten.
class ChangingSlowdown : public RecordingHost
{
public:
    int n = 0;
    void pause(std::chrono::nanoseconds length) override
    {
        RecordingHost::pause(length);
        texts[Setting::Spomaleni] = QString::number(++n % 21);
    }
};
} // namespace

void TestPress::slowdownReadForEveryElement()
{
    ChangingSlowdown h;
    h.press();
    const QList<Op> pauses = h.of(Kind::Pause);
    QCOMPARE(pauses.size(), 30);
    QCOMPARE(pauses[0].pause, 50ms);
    for (int e = 1; e < 30; ++e)
        QCOMPARE(pauses[e].pause, (e % 21) * 50ms);
}

void TestPress::finishedPressDrawsNoMore()
{
    RecordingHost h;
    Press press(h, h);
    int pauses = 0;
    while (press.step())
        ++pauses;
    QCOMPARE(pauses, 30);
    const std::size_t ops = h.size();
    QVERIFY(press.finished());
    QVERIFY(!press.step());
    QVERIFY(!press.step());
    QCOMPARE(h.size(), ops);
}

void TestPress::description_data()
{
    QTest::addColumn<QString>("posun");
    QTest::addColumn<QString>("kmitocet");
    QTest::addColumn<QStringList>("first");  // facts after the first element
    QTest::addColumn<QStringList>("last");   // facts of the finished press
    QTest::newRow("0/1") << "0" << "1" << QStringList{"element 1 z 30", "dráha 502 pixelů", "míří nahoru"}
                         << QStringList{"posun 0, kmitočet 1", "elementy 15 a 16", "mezi nimi", "délku 3,7 ",
                                        "míří vpravo nahoru"};
    QTest::newRow("0/2") << "0" << "2" << QStringList{"element 1 z 30", "dráha 502 pixelů", "míří vlevo."}
                         << QStringList{"posun 0, kmitočet 2", "elementy 15 a 16", "délku 3,3 ", "míří vlevo nahoru"};
    QTest::newRow("250/1") << "250" << "1" << QStringList{"element 1 z 30", "dráha 171 pixelů", "míří dolů"}
                           << QStringList{"posun 250, kmitočet 1", "má element 5", "jeho středem", "délku 3,2 ",
                                          "míří vpravo."};
    QTest::newRow("250/2") << "250" << "2" << QStringList{"element 1 z 30", "dráha 171 pixelů", "míří vlevo nahoru"}
                           << QStringList{"posun 250, kmitočet 2", "má element 5", "délku 3,1 ", "míří vlevo nahoru"};
    // Texts the controls never write: said as far as they go, never a crash.
    QTest::newRow("odd texts") << "1e300" << "abc" << QStringList{"element 1 z 30", "kmitočet 0"}
                               << QStringList{"posun 1000000000000, kmitočet 0", "Součet"};
}

void TestPress::description()
{
    QFETCH(QString, posun);
    QFETCH(QString, kmitocet);
    QFETCH(QStringList, first);
    QFETCH(QStringList, last);
    RecordingHost h;
    h.texts[Setting::Posun] = posun;
    h.texts[Setting::Kmitocet] = kmitocet;
    Press press(h, h);
    auto says = [&press](const QStringList &facts) {
        const QString text = QString::fromStdString(Description::of(&press));
        for (const QString &fact : facts)
            QVERIFY2(text.contains(fact), qPrintable(text + " lacks " + fact));
    };
    says({"prázdný", "Start"});
    QCOMPARE(Description::of(nullptr), Description::of(&press));
    press.step();
    says(first);
    while (press.step())
        says({"z 30"});
    says(last);
    // A settings change afterwards leaves the picture, and its settings, standing.
    h.texts[Setting::Posun] = "250";
    says(last);
}

void TestPress::announcements_data()
{
    QTest::addColumn<QString>("slowdown");
    QTest::addColumn<int>("said"); // announcements over the press, its result included
    QTest::newRow("0") << "0" << 2;
    QTest::newRow("1") << "1" << 2;
    QTest::newRow("5") << "5" << 3;
    QTest::newRow("20") << "20" << 6;
}

// Each message may be spoken to its end before the next one comes; a short
// start first, the result last and within a second of the complete picture.
void TestPress::announcements()
{
    QFETCH(QString, slowdown);
    QFETCH(int, said);
    RecordingHost h;
    h.texts[Setting::Spomaleni] = slowdown;
    Press press(h, h);
    Announcer announcer;
    QList<std::pair<Pacer::Duration, std::string>> texts;
    Pacer::Duration now = 5000ms;
    while (const auto pause = press.step()) {
        if (auto text = announcer.next(&press, now).say)
            texts.append({now, *text});
        now += *pause;
    }
    const auto complete = now;
    for (auto at = now; !texts.size() || texts.last().second.find("Součet") == std::string::npos; at += 1ms) {
        QVERIFY2(at - complete <= 1s, qPrintable(slowdown));
        if (auto text = announcer.next(&press, at).say)
            texts.append({at, *text});
    }
    const Announcer::Narration late = announcer.next(&press, now + 60s);
    QVERIFY(!late.say && !late.again && !late.description);
    QCOMPARE(texts.size(), said);
    for (qsizetype i = 1; i < texts.size(); ++i)
        QVERIFY(texts[i].first - texts[i - 1].first >= Announcer::speakingTime(texts[i - 1].second));
    QCOMPARE(texts.first().second, std::string(Announcer::Start));
    // Characters, not bytes.
    QCOMPARE(Announcer::speakingTime("Čas Čas Čas Čas"), 1000ms);
}

void TestPress::phaseFactor_data()
{
    QTest::addColumn<QString>("kmitocet");
    QTest::addColumn<double>("expected");
    QTest::newRow("1") << "1" << 0.0471123;
    QTest::newRow("2") << "2" << 0.0942246;
}

void TestPress::phaseFactor()
{
    QFETCH(QString, kmitocet);
    QFETCH(double, expected);
    RecordingHost h;
    h.texts[Setting::Kmitocet] = kmitocet;
    const Scene s = SetUp::draw(h, h);
    QVERIFY(std::abs(s.phaseFactor - expected) < 1e-12);
    QCOMPARE(s.phaseFactor, 3 * (1.57041 / 100) * kmitocet.toDouble());
    QCOMPARE(s.mirrorY, 290.5);
    QCOMPARE(s.chainStartX, 594.0);
}

void TestPress::textToNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("whole") << "20" << 20.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("negative") << "-1" << -1.0;
    QTest::newRow("decimal point") << "2.5" << 2.5;
    QTest::newRow("decimal comma") << "2,5" << 2.5;
    QTest::newRow("digit grouping") << "1 000" << 0.0;
    QTest::newRow("blanks") << " 250 " << 250.0;
    QTest::newRow("infinite") << "1e999" << 0.0;
    QTest::newRow("nan") << "nan" << 0.0;
    QTest::newRow("trailing junk") << "12x" << 0.0;
}

void TestPress::textToNumber()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(Settings::toNumber(text.toStdString()), expected);
}

void TestPress::pauseDuration_data()
{
    using namespace std::chrono;
    QTest::addColumn<double>("steps");
    QTest::addColumn<qint64>("ns");
    QTest::newRow("slowdown 1") << 300000.0 << qint64(nanoseconds(50ms).count());
    QTest::newRow("slowdown 20") << 6000000.0 << qint64(nanoseconds(1s).count());
    QTest::newRow("slowdown 2.5") << 750000.0 << qint64(nanoseconds(125ms).count());
    QTest::newRow("slowdown 0") << 0.0 << qint64(0);
    QTest::newRow("negative") << -300000.0 << qint64(0);
    QTest::newRow("not a number") << std::nan("") << qint64(0);
    QTest::newRow("beyond the controls") << 3e11 << qint64(nanoseconds(1s).count());
}

void TestPress::pauseDuration()
{
    QFETCH(double, steps);
    QFETCH(qint64, ns);
    QCOMPARE(qint64(Pacer::durationFor(steps).count()), ns);
}


void TestPress::fit_data()
{
    QTest::addColumn<QSizeF>("client");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<double>("scale");
    QTest::addColumn<QPointF>("origin");
    QTest::newRow("1 : 1") << QSizeF(800, 581) << 1.0 << 1.0 << QPointF(0, 0);
    QTest::newRow("twice") << QSizeF(1600, 1162) << 1.0 << 2.0 << QPointF(0, 0);
    QTest::newRow("1 : 1 at ratio 2") << QSizeF(800, 581) << 2.0 << 1.0 << QPointF(0, 0);
    // Down to whole device pixels of width (1487), the margin centred on one.
    QTest::newRow("projector") << QSizeF(1920, 1080) << 1.0 << 1487 / 800.0 << QPointF(217, 0);
    QTest::newRow("netbook") << QSizeF(1024, 600) << 1.0 << 826 / 800.0 << QPointF(99, 0);
    QTest::newRow("half") << QSizeF(400, 290) << 1.0 << 399 / 800.0 << QPointF(1, 0);
    QTest::newRow("phone at ratio 3") << QSizeF(390, 844) << 3.0 << 1170 / 2400.0 << QPointF(0, 280.33333333333333);
    QTest::newRow("no room") << QSizeF(0, 0) << 1.0 << 1 / 800.0 << QPointF(0, 0);
}

// The content fits, whole device pixels wide, centred on device pixels.
void TestPress::fit()
{
    QFETCH(QSizeF, client);
    QFETCH(double, ratio);
    QFETCH(double, scale);
    QFETCH(QPointF, origin);
    const Fit::Placement p = Fit::place(client.width(), client.height(), ratio);
    QCOMPARE(p.scale, scale);
    QCOMPARE(QPointF(p.left, p.top), origin);
    QVERIFY(Field::Height * p.scale <= client.height() + 1e-9 || client.isEmpty());
}

// What a press drew, drawn again on an empty field: the same operations in
// the same order, but for the background band, which changes nothing there.
void TestPress::recordingDrawsAgain()
{
    RecordingHost drawn, again;
    drawn.press();
    drawn.replay(again);
    const auto canvasOps = [](const QList<Op> &ops) {
        QStringList list;
        for (const Op &o : ops)
            if (o.kind <= Kind::Circle && o.color != Colors::LightGrey)
                list << QString("%1 %2 %3 %4 %5 %6 %7").arg(letter(o.kind)).arg(o.flags).arg(o.a).arg(o.b).arg(o.c)
                            .arg(o.d).arg(o.color);
        return list;
    };
    QVERIFY(drawn.size() > 800);
    QCOMPARE(canvasOps(again.ops()), canvasOps(drawn.ops()));
}

void TestPress::startSettings_data()
{
    // Each: a link's fragment; the settings it gives ("-" for the default),
    // and what its message says, sentence by sentence.
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QStringList>("errors");
    QTest::newRow("all three") << "posun=250&kmitocet=2&zpomaleni=5" << "250/2/5" << QStringList{};
    QTest::newRow("in another order, one left out") << "zpomaleni=20&posun=0" << "0/-/20" << QStringList{};
    QTest::newRow("empty") << "" << "-/-/-" << QStringList{};
    QTest::newRow("empty parts and escapes") << "&posun=%32%350&&" << "250/-/-" << QStringList{};
    QTest::newRow("a value outside its set") << "posun=300&kmitocet=2" << "-/2/-" << QStringList{"posun.*0 nebo 250, ne „300“"};
    QTest::newRow("slowdown beyond the bar, or written otherwise")
        << "zpomaleni=21" << "-/-/-" << QStringList{"zpomaleni.*od 1 do 20, ne „21“"};
    QTest::newRow("a leading zero") << "zpomaleni=05" << "-/-/-" << QStringList{"ne „05“"};
    QTest::newRow("no value") << "kmitocet" << "-/-/-" << QStringList{"kmitocet.*1 nebo 2, ne „“"};
    QTest::newRow("diacritics") << "kmitočet=2" << "-/-/-" << QStringList{"Neznámé nastavení „kmitočet“"};
    QTest::newRow("unknown, the rest applies") << "barva=zelena&posun=250" << "250/-/-" << QStringList{"„barva“"};
    QTest::newRow("given twice: neither counts") << "posun=250&posun=0&posun=250" << "-/-/-"
                                                << QStringList{"posun je zadáno víckrát"};
}

// A teacher's link or options: parsed once, for both front ends.
void TestPress::startSettings()
{
    QFETCH(QString, query);
    QFETCH(QString, settings);
    QFETCH(QStringList, errors);
    const StartSettings::Parsed p = StartSettings::fromQuery(query.toStdString());
    const QString got = QString::fromStdString(p.posun.value_or("-")) + '/' + QString::fromStdString(p.kmitocet.value_or("-"))
                        + '/' + (p.zpomaleni ? QString::number(*p.zpomaleni) : "-");
    QCOMPARE(got, settings);
    QCOMPARE(qsizetype(p.errors.size()), errors.size());
    for (qsizetype i = 0; i < errors.size(); ++i)
        QVERIFY2(QString::fromStdString(p.errors[std::size_t(i)]).contains(QRegularExpression(errors[i])),
                 p.errors[std::size_t(i)].c_str());
    // The address a link to the settings gives reads back as those settings.
    QCOMPARE(StartSettings::fromQuery(StartSettings::toQuery(250, 2, 5)).zpomaleni, 5);
}

QTEST_APPLESS_MAIN(TestPress)
#include "tst_press.moc"
