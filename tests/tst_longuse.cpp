// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

// Many presses in one process: no growth, no drift in the picture.
#include "drawingsurface.h"
#include "look.h"
#include "windowdriver.h"

#include <QtTest>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <unistd.h>

namespace {

qint64 residentBytes()
{
    QFile statm("/proc/self/statm");
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toLongLong() * sysconf(_SC_PAGESIZE);
}

void pressAtSlowdownZero(const WindowDriver &d)
{
    // The controls stop at 1; 0 makes the presses follow without pauses.
    d.child<QLineEdit>("nSpomaleni")->setText("0");
    d.click("cmdStart");
}

} // namespace

class TestLongUse : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Look::apply(*qApp); }
    void fiveHundredPresses();
};

void TestLongUse::fiveHundredPresses()
{
    Zrcadlo w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    WindowDriver d{&w};
    const char *changes[] = {"op250", "op2", "op0", "op1", "op2", "op250"};
    qint64 at50 = 0;
    for (int i = 1; i <= 500; ++i) {
        d.click(changes[i % 6]);
        pressAtSlowdownZero(d);
        QCoreApplication::processEvents();
        if (i == 50)
            at50 = residentBytes();
    }
    const qint64 at500 = residentBytes();
    qInfo("resident memory: %.2f MB after 50 presses, %.2f MB after 500 (%+.3f MB)", at50 / 1048576.0,
          at500 / 1048576.0, (at500 - at50) / 1048576.0);
#if !defined(__SANITIZE_ADDRESS__)
    QVERIFY2(at500 - at50 < 1024 * 1024, "memory grows from press to press");
#endif
    // The last press came after "2" and then "0": shift 0, frequency 1.
    QCOMPARE(d.text("nPosun"), QString("0"));
    QCOMPARE(d.text("nKmitocet"), QString("1"));

    Zrcadlo fresh;
    fresh.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fresh));
    const WindowDriver f{&fresh};
    f.click("op2");
    f.click("op0");
    pressAtSlowdownZero(f);
    QCOMPARE(w.surface().picture().snapshot(), fresh.surface().picture().snapshot());
}

QTEST_MAIN(TestLongUse)
#include "tst_longuse.moc"
