// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

// Seeded random clicks and keys on the real window, through the real X
// server, many of them while a press runs. The settings and the result
// labels must keep their rules throughout. Set ZRCADLO_SEED to replay.
#include "look.h"
#include "pixels.h"
#include "windowdriver.h"

#include <QtTest>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QScrollBar>

class TestRandomUse : public QObject, public WindowDriver
{
    Q_OBJECT

    bool expectLabels = false;
    int presses = 0;
    int checkedPresses = 0;
    QStringList violations;

    void check(const QString &when)
    {
        auto fail = [&](const QString &what) { violations << when + ": " + what; };
        const QString posun = text("nPosun"), kmitocet = text("nKmitocet"), spomaleni = text("nSpomaleni");
        if (posun != (checked("op0") ? "0" : "250") || checked("op0") == checked("op250"))
            fail("shift " + posun + " and its options disagree");
        if (kmitocet != (checked("op1") ? "1" : "2") || checked("op1") == checked("op2"))
            fail("frequency " + kmitocet + " and its options disagree");
        const int v = child<QScrollBar>("HScroll1")->value();
        if (spomaleni != QString::number(v) || v < 1 || v > 20)
            fail("slowdown " + spomaleni + " and the scroll bar disagree");
        for (const QString &name : ResultLabels)
            if (child<QLabel>(name)->isVisible() != expectLabels)
                fail(name + (expectLabels ? " hidden" : " shown"));
    }

protected:
    // "Konec" only at the end: the space bar on it is swallowed till then.
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)
                return true;
        }
        return QObject::eventFilter(watched, event);
    }

private slots:
    void randomClicksAndKeys();
};

void TestRandomUse::randomClicksAndKeys()
{
    Look::apply(*qApp);
    Zrcadlo window;
    w = &window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QString id = QString::number(window.winId());
    child("cmdKonec")->installEventFilter(this);

    // Observers connected after the window's own handlers: they see what
    // a handler has just done.
    for (const char *name : {"op0", "op250", "op1", "op2"}) {
        auto *option = child<QRadioButton>(name);
        connect(option, &QRadioButton::toggled, this, [this](bool on) { if (on) expectLabels = false; });
        connect(option, &QRadioButton::clicked, this, [this] { expectLabels = false; });
    }
    connect(child<QRadioButton>("op0"), &QRadioButton::clicked, this, [this] {
        if (text("nKmitocet") != "1" || !checked("op1"))
            violations << "a click on 0 left the frequency at " + text("nKmitocet");
    });
    // Checked once what came during the press by other roads (the batch's
    // own setValue) has been taken: it waits in the one queue, behind the press.
    connect(child<QPushButton>("cmdStart"), &QPushButton::clicked, this, [this] {
        expectLabels = true;
        ++presses;
        QMetaObject::invokeMethod(this, [this, n = presses] {
            check(QString("after press %1").arg(n));
            ++checkedPresses;
        },
                                  Qt::QueuedConnection);
    });

    const quint32 seed = qEnvironmentVariableIsSet("ZRCADLO_SEED") ? qEnvironmentVariableIntValue("ZRCADLO_SEED")
                                                                   : QRandomGenerator::system()->generate();
    qInfo("seed %u (replay with ZRCADLO_SEED=%u)", seed, seed);
    QRandomGenerator random(seed);

    struct Target { QPoint at; const char *what; };
    const QList<Target> targets{{At::Op0, "op0"},            {At::Op250, "op250"},
                                {At::Op1, "op1"},            {At::Op2, "op2"},
                                {{263, 48}, "left arrow"},   {{418, 48}, "right arrow"},
                                {{300, 48}, "trough left"},  {{390, 48}, "trough right"},
                                {{700, 400}, "picture"}};
    const QStringList keys{"Tab", "shift+Tab", "space", "Left", "Right", "Up", "Down"};

    const int batches = qEnvironmentVariableIsSet("ZRCADLO_BATCHES") ? qEnvironmentVariableIntValue("ZRCADLO_BATCHES")
                                                                     : 40;
    const int perBatch = 50;
    int actions = 0;
    // A run of xdotool: its own pauses off, so that what the test waits
    // for is the window, not the tool.
    auto send = [&](const QStringList &args) {
        QProcess xdotool;
        xdotool.start("xdotool", QStringList{"windowfocus", id} + args);
        if (!xdotool.waitForFinished(60000) || xdotool.exitCode() != 0)
            violations << "xdotool: " + QString::fromLocal8Bit(xdotool.readAllStandardError());
    };
    auto click = [&](QPoint at) {
        return QStringList{"mousemove", "--window", id, QString::number(at.x()), QString::number(at.y()),
                           "click", "--delay", "0", "1"};
    };
    auto randomActions = [&](int count) {
        QStringList args;
        for (int a = 0; a < count; ++a, ++actions) {
            if (random.bounded(3) == 0) {
                args << "key" << "--delay" << "0" << keys[random.bounded(int(keys.size()))];
            } else {
                const Target &t = targets[random.bounded(int(targets.size()))];
                args << click(t.at + QPoint(random.bounded(-2, 3), random.bounded(-2, 3)));
            }
        }
        return args;
    };
    // Idle: every event sent has reached the window, every press it
    // started has finished and been checked, and what each press held has
    // been handed back and taken (which may begin another press).
    auto settle = [&] {
        for (int seen = -1; seen != presses && !QTest::currentTestFailed();) {
            seen = presses;
            QGuiApplication::sync();
            QTRY_VERIFY_WITH_TIMEOUT(checkedPresses == presses, 120000);
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
        }
    };
    for (int b = 0; b < batches && violations.isEmpty() && !QTest::currentTestFailed(); ++b) {
        // Keep presses short: a user who has watched one moves it back.
        child<QScrollBar>("HScroll1")->setValue(1);
        // Half of the batch arrives while the press runs, the other half
        // once it is over (where a space on "Start" may begin another).
        const int during = perBatch / 2;
        send(click(At::Start) + randomActions(during - 1));
        ++actions;
        settle();
        send(randomActions(perBatch - during));
        settle();
        check(QString("after batch %1").arg(b + 1));
    }
    qInfo("%d actions in %d batches, %d presses", actions, batches, presses);
    QVERIFY2(violations.isEmpty(), qPrintable(QString("seed %1: %2").arg(seed).arg(violations.join("; "))));
    QVERIFY(presses >= batches);

    child("cmdKonec")->removeEventFilter(this);
    QProcess::execute("xdotool", {"mousemove", "--window", id, QString::number(At::Konec.x()),
                                  QString::number(At::Konec.y()), "click", "1"});
    QTRY_VERIFY(!window.isVisible());
}

QTEST_MAIN(TestRandomUse)
#include "tst_randomuse.moc"
