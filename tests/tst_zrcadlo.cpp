// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "drawingsurface.h"
#include "look.h"
#include "notice.h"
#include "windowdriver.h"

#include <QtTest>
#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>

#include "pacer.h"

class TestZrcadlo : public QObject, public WindowDriver
{
    Q_OBJECT

    std::unique_ptr<Zrcadlo> window;

private slots:
    void initTestCase() { Look::apply(*qApp); }
    void init()
    {
        window = std::make_unique<Zrcadlo>();
        w = window.get();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }
    void cleanup()
    {
        window.reset();
        w = nullptr;
    }

    void startUpState();
    void designTable_data();
    void designTable();
    void creationOrder();
    void shiftZeroSelectsFrequencyOne();
    void shiftTwoHundredFiftyKeepsFrequency();
    void scrollBar_data();
    void scrollBar();
    void settingsChangeHidesResultLabels_data();
    void settingsChangeHidesResultLabels();
    void konecEndsTheProgram();
    void tabCycle();
    void arrowKeysMoveWithinGroup();
    void clickOnSelectedOption();
    void accessibleNames();
    void drivenByKeyboard();
    void pressThroughTheWindow();
    void inputDuringPressWaitsForItsEnd();
    void fullScreenAtOnce_data();
    void fullScreenAtOnce();
    void touchAtTwiceTheSize_data();
    void touchAtTwiceTheSize();
};

void TestZrcadlo::clickOnSelectedOption()
{
    click("op2");
    showResultLabels();
    // "0" is already selected: clicking it again runs its handler.
    click("op0");
    QCOMPARE(text("nKmitocet"), QString("1"));
    QVERIFY(checked("op1") && checked("op0"));
    QCOMPARE(visibleResultLabels(), 0);
    // Selecting from code what is selected already runs nothing.
    showResultLabels();
    child<QRadioButton>("op1")->setChecked(true);
    QCOMPARE(visibleResultLabels(), 5);
}

void TestZrcadlo::accessibleNames()
{
    const QMap<QString, QString> names{
        {"HScroll1", "Zpomalení animace"}, {"frmKmitocet", "Kmitočet světla"}, {"frmPosun", "Posun"},
        {"op0", "0"}, {"op250", "250"}, {"op1", "1"}, {"op2", "2"}, {"cmdStart", "Start"}, {"cmdKonec", "Konec"},
        {"labPosun", "Posun zdroje a detektoru světla vlevo od centra zrcadla"}, {"labVelimor", "Velimor"}};
    for (auto it = names.begin(); it != names.end(); ++it) {
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(child(it.key()));
        QVERIFY2(a, qPrintable(it.key()));
        QCOMPARE(a->text(QAccessible::Name), it.value());
    }
}

void TestZrcadlo::drivenByKeyboard()
{
    QApplication::setActiveWindow(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
    auto key = [](Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); };
    key(Qt::Key_Tab);   // the shift group
    key(Qt::Key_Right); // 250
    QCOMPARE(text("nPosun"), QString("250"));
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);   // the frequency group
    key(Qt::Key_Right); // 2
    QCOMPARE(text("nKmitocet"), QString("2"));
    key(Qt::Key_Tab);   // the slowdown
    key(Qt::Key_Right);
    key(Qt::Key_Right);
    QCOMPARE(text("nSpomaleni"), QString("3"));
    key(Qt::Key_Backtab);
    key(Qt::Key_Backtab);
    key(Qt::Key_Backtab); // back to the shift group
    key(Qt::Key_Left);
    QCOMPARE(text("nPosun"), QString("0"));
    QCOMPARE(text("nKmitocet"), QString("1"));
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("op0"));
    key(Qt::Key_Space); // already selected: selected again
    QVERIFY(checked("op0"));
    key(Qt::Key_Tab);   // "Konec", with the space bar
    QTimer::singleShot(0, this, [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space); });
    QTimer::singleShot(5000, this, [] { QCoreApplication::exit(99); });
    QCOMPARE(QApplication::exec(), 0);
}

void TestZrcadlo::startUpState()
{
    QCOMPARE(text("nPosun"), QString("0"));
    QCOMPARE(text("nKmitocet"), QString("1"));
    QCOMPARE(text("nSpomaleni"), QString("1"));
    QVERIFY(checked("op0") && checked("op1"));
    QVERIFY(!checked("op250") && !checked("op2"));
    QCOMPARE(child<QScrollBar>("HScroll1")->value(), 1);
    QCOMPARE(visibleResultLabels(), 0);
    QCOMPARE(w->windowTitle(), QString("Velimor - www.velimor.example"));
    QCOMPARE(w->size(), QSize(800, 581));
    // Resizable, down to half the design size.
    QVERIFY(w->minimumSize().width() <= 400 && w->minimumSize().height() <= 290 && w->maximumSize().width() > 3840);
    QCOMPARE(QApplication::focusWidget(), child("cmdStart"));
    QCOMPARE(w->palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xC0));
}

void TestZrcadlo::designTable_data()
{
    QTest::addColumn<QString>("container");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("fontPixels"); // 0: the dialog font
    QTest::addColumn<bool>("visible");
    QTest::addColumn<int>("alignment");

    const int left = Qt::AlignLeft, centre = Qt::AlignHCenter;
    auto row = [](const char *name, const char *container, const char *type, QRect g, const char *caption,
                  int px, bool visible, int align = 0) {
        QTest::newRow(name) << QString(container) << QString(type) << g << QString(caption) << px << visible
                            << align;
    };
    row("HScroll1", "Zrcadlo", "QScrollBar", {256, 40, 169, 17}, "", 0, true);
    row("nSpomaleni", "Zrcadlo", "QLineEdit", {392, 8, 65, 25}, "", 0, false);
    row("frmKmitocet", "Zrcadlo", "QGroupBox", {152, 56, 129, 33}, "Kmitočet světla", 16, true);
    row("op2", "frmKmitocet", "QRadioButton", {72, 16, 33, 13}, "2", 0, true);
    row("op1", "frmKmitocet", "QRadioButton", {24, 16, 41, 13}, "1", 0, true);
    row("nKmitocet", "Zrcadlo", "QLineEdit", {248, 88, 41, 19}, "", 0, false);
    row("cmdKonec", "Zrcadlo", "QPushButton", {552, 16, 89, 28}, "Konec", 19, true);
    row("frmPosun", "Zrcadlo", "QGroupBox", {32, 56, 89, 33}, "Posun", 16, true);
    row("op250", "frmPosun", "QRadioButton", {40, 16, 41, 13}, "250", 0, true);
    row("op0", "frmPosun", "QRadioButton", {8, 16, 41, 13}, "0", 0, true);
    row("nPosun", "Zrcadlo", "QLineEdit", {24, 40, 41, 19}, "", 0, false);
    row("cmdStart", "Zrcadlo", "QPushButton", {448, 16, 89, 28}, "Start", 21, true);
    row("labSoucet", "Zrcadlo", "QLabel", {312, 48, 105, 41}, "Součet radiusvektorů", 16, false, centre);
    row("labDetektor", "Zrcadlo", "QLabel", {440, 48, 65, 25}, "Detektor", 16, false, left);
    row("labZdroj", "Zrcadlo", "QLabel", {0, 232, 41, 41}, "Zdroj světla", 16, false, left);
    row("labCas", "Zrcadlo", "QLabel", {0, 72, 49, 17}, "Čas", 16, false, left);
    row("labRadius", "Zrcadlo", "QLabel", {8, 120, 137, 57}, "Radiusvektory fotonu na trasách od elementů zrcadla",
        16, false, centre);
    row("labPosun", "Zrcadlo", "QLabel", {32, 8, 209, 41}, "Posun zdroje a detektoru světla vlevo od centra zrcadla",
        16, true, centre);
    row("labVelimor", "Zrcadlo", "QLabel", {280, 8, 145, 25}, "Velimor", 23, true, left);
}

void TestZrcadlo::designTable()
{
    QFETCH(QString, container);
    QFETCH(QString, type);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);
    QFETCH(int, fontPixels);
    QFETCH(bool, visible);
    QFETCH(int, alignment);
    const QString name = QTest::currentDataTag();
    QWidget *c = child(name);

    QCOMPARE(c->metaObject()->className(), qPrintable(type));
    QCOMPARE(c->parentWidget()->objectName(), container);
    QCOMPARE(c->geometry(), geometry);
    QCOMPARE(c->isVisible(), visible);

    QString shown;
    if (auto *b = qobject_cast<QAbstractButton *>(c))
        shown = b->text();
    else if (auto *l = qobject_cast<QLabel *>(c))
        shown = l->text();
    else if (auto *g = qobject_cast<QGroupBox *>(c))
        shown = g->title();
    QCOMPARE(shown, caption);

    const QFont f = c->font();
    if (fontPixels) {
        QCOMPARE(f.pixelSize(), fontPixels);
        QVERIFY(f.bold());
        QVERIFY(!f.italic() && !f.underline() && !f.strikeOut());
        const QString family = QFontInfo(f).family();
        QVERIFY2(family == "Times New Roman" || family == "Liberation Serif", qPrintable(family));
    } else {
        QCOMPARE(f.pixelSize(), 11);
        QVERIFY(!f.bold());
    }

    if (auto *l = qobject_cast<QLabel *>(c)) {
        QCOMPARE(int(l->alignment() & Qt::AlignHorizontal_Mask), alignment);
        QVERIFY(l->wordWrap());
        QVERIFY(l->autoFillBackground());
        // The caption's ink lies inside the fixed box: render it into a
        // taller and wider copy and look for ink outside the design size.
        QLabel copy;
        copy.setFont(f);
        copy.setText(caption);
        copy.setAlignment(l->alignment());
        copy.setWordWrap(true);
        copy.setAutoFillBackground(true);
        copy.setPalette(l->palette());
        copy.setFixedSize(geometry.width(), 200);
        QImage ink(copy.size(), QImage::Format_RGB32);
        copy.render(&ink);
        const QRgb bg = ink.pixel(ink.width() - 1, ink.height() - 1);
        int bottom = -1;
        for (int y = 0; y < ink.height(); ++y)
            for (int x = 0; x < ink.width(); ++x)
                if (ink.pixel(x, y) != bg)
                    bottom = y;
        QVERIFY2(bottom >= 0 && bottom < geometry.height(), qPrintable(QString::number(bottom)));
        // Every word is on a line that fits (nothing wider than the box).
        const int lines = (bottom + QFontMetrics(f).lineSpacing()) / QFontMetrics(f).lineSpacing();
        QVERIFY(lines * QFontMetrics(f).lineSpacing() <= geometry.height() + QFontMetrics(f).descent());
    }
    if (auto *b = qobject_cast<QRadioButton *>(c)) {
        QStyleOptionButton opt;
        opt.initFrom(b);
        const QRect contents = b->style()->subElementRect(QStyle::SE_RadioButtonContents, &opt, b);
        QVERIFY2(QFontMetrics(f).horizontalAdvance(caption) <= contents.width(),
                 qPrintable(QString::number(contents.width())));
        QVERIFY(QFontMetrics(f).height() <= geometry.height());
    }
    if (qobject_cast<QPushButton *>(c)) {
        QVERIFY(QFontMetrics(f).horizontalAdvance(caption) + 8 <= geometry.width());
        QVERIFY(QFontMetrics(f).height() + 4 <= geometry.height());
    }
    if (auto *g = qobject_cast<QGroupBox *>(c))
        QVERIFY(QFontMetrics(f).horizontalAdvance(caption) + 12 <= g->width());
    if (qobject_cast<QLineEdit *>(c))
        QCOMPARE(c->focusPolicy(), Qt::NoFocus);
}

void TestZrcadlo::creationOrder()
{
    QStringList order;
    for (QObject *o : w->children())
        if (auto *c = qobject_cast<QWidget *>(o); c && c != &w->surface() && !qobject_cast<Notice *>(c))
            order << c->objectName();
    QCOMPARE(order, QStringList({"HScroll1", "nSpomaleni", "frmKmitocet", "nKmitocet", "cmdKonec", "frmPosun",
                                 "nPosun", "cmdStart", "labSoucet", "labDetektor", "labZdroj", "labCas",
                                 "labRadius", "labPosun", "labVelimor"}));
    // The picture lies under every control.
    QCOMPARE(w->childAt(400, 400), &w->surface());
}

void TestZrcadlo::shiftZeroSelectsFrequencyOne()
{
    click("op2");
    QCOMPARE(text("nKmitocet"), QString("2"));
    QVERIFY(!checked("op1"));
    click("op250");
    click("op0");
    QCOMPARE(text("nPosun"), QString("0"));
    QCOMPARE(text("nKmitocet"), QString("1"));
    QVERIFY(checked("op1") && !checked("op2"));
}

void TestZrcadlo::shiftTwoHundredFiftyKeepsFrequency()
{
    click("op2");
    click("op250");
    QCOMPARE(text("nPosun"), QString("250"));
    QCOMPARE(text("nKmitocet"), QString("2"));
    QVERIFY(checked("op2") && checked("op250") && !checked("op0"));
}

void TestZrcadlo::scrollBar_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("expected");
    QTest::newRow("to 20") << "set" << 1 << 20;
    QTest::newRow("right arrow click") << "arrow+" << 5 << 6;
    QTest::newRow("left arrow click") << "arrow-" << 5 << 4;
    QTest::newRow("trough right of handle") << "trough+" << 5 << 6;
    QTest::newRow("trough left of handle") << "trough-" << 5 << 4;
    QTest::newRow("right key") << "key+" << 5 << 6;
    QTest::newRow("left key") << "key-" << 5 << 4;
    QTest::newRow("left key at 1") << "key-" << 1 << 1;
    QTest::newRow("right arrow at 20") << "arrow+" << 20 << 20;
}

void TestZrcadlo::scrollBar()
{
    QFETCH(QString, how);
    QFETCH(int, start);
    QFETCH(int, expected);
    auto *bar = child<QScrollBar>("HScroll1");
    bar->setValue(start);
    QCOMPARE(text("nSpomaleni"), QString::number(start));
    const int y = bar->height() / 2;
    if (how == "set")
        bar->setValue(20);
    else if (how == "arrow+")
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() - 4, y));
    else if (how == "arrow-")
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(4, y));
    else if (how == "trough+")
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() - 24, y));
    else if (how == "trough-")
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(22, y));
    else if (how == "key+" || how == "key-") {
        bar->setFocus();
        QTest::keyClick(bar, how == "key+" ? Qt::Key_Right : Qt::Key_Left);
    }
    QCOMPARE(bar->value(), expected);
    QCOMPARE(text("nSpomaleni"), QString::number(expected));
}

void TestZrcadlo::settingsChangeHidesResultLabels_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("visibleAfter");
    QTest::newRow("op250") << "op250" << 0;
    QTest::newRow("op2") << "op2" << 0;
    QTest::newRow("slowdown") << "HScroll1" << 5;
}

void TestZrcadlo::settingsChangeHidesResultLabels()
{
    QFETCH(QString, control);
    QFETCH(int, visibleAfter);
    showResultLabels();
    QCOMPARE(visibleResultLabels(), 5);
    if (control == "HScroll1")
        child<QScrollBar>(control)->setValue(7);
    else
        click(control);
    QCOMPARE(visibleResultLabels(), visibleAfter);
    // Back to shift 0 hides them too.
    showResultLabels();
    child<QRadioButton>("op250")->setChecked(true);
    showResultLabels();
    click("op0");
    QCOMPARE(visibleResultLabels(), 0);
}

void TestZrcadlo::konecEndsTheProgram()
{
    // The click closes the only window, and the event loop ends with 0.
    QTimer::singleShot(0, this, [this] { QTest::mouseClick(child("cmdKonec"), Qt::LeftButton); });
    QTimer::singleShot(5000, this, [] { QCoreApplication::exit(99); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!w->isVisible());
}

void TestZrcadlo::tabCycle()
{
    QApplication::setActiveWindow(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
    child("cmdStart")->setFocus();
    const QStringList cycle{"op0", "cmdKonec", "op1", "HScroll1", "drawingSurface", "cmdStart", "op0"};
    for (const QString &name : cycle) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), name);
    }
    // The selected option of a group is its Tab stop.
    click("op250");
    click("op2");
    child("cmdStart")->setFocus();
    for (const char *name : {"op250", "cmdKonec", "op2", "HScroll1", "drawingSurface", "cmdStart"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString(name));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("drawingSurface"));
}

void TestZrcadlo::arrowKeysMoveWithinGroup()
{
    QApplication::setActiveWindow(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
    child("op1")->setFocus();
    QTest::keyClick(child("op1"), Qt::Key_Right);
    QVERIFY(checked("op2"));
    QCOMPARE(text("nKmitocet"), QString("2"));
    QCOMPARE(QApplication::focusWidget(), child("op2"));
    QTest::keyClick(child("op2"), Qt::Key_Left);
    QVERIFY(checked("op1"));
    QCOMPARE(text("nKmitocet"), QString("1"));
}

void TestZrcadlo::pressThroughTheWindow()
{
    click("op250");
    click("op2");
    QElapsedTimer timer;
    timer.start();
    QTest::mouseClick(child("cmdStart"), Qt::LeftButton);
    // Slowdown 1: 30 pauses of 50 ms.
    QVERIFY2(timer.elapsed() >= 1500, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(visibleResultLabels(), 5);
    // Half pixels go to the pixel that contains them.
    QCOMPARE(child("labRadius")->pos(), QPoint(420, 320));
    QCOMPARE(child("labCas")->pos(), QPoint(54, 340));
    QCOMPARE(child("labZdroj")->pos(), QPoint(44, 200));
    QCOMPARE(child("labDetektor")->pos(), QPoint(184, 210));
    QCOMPARE(child("labSoucet")->pos(), QPoint(304, 100));
    const Picture &p = w->surface().picture();
    QCOMPARE(p.drawWidth(), 2);
    QCOMPARE(p.fillStyle(), 0);
    QCOMPARE(p.fillColor(), 0x80000009u);
    QCOMPARE(p.scaleMode(), 3);
    QCOMPARE(p.image().pixel(104, 240) | 0xFF000000u, qRgb(255, 255, 255));
}

void TestZrcadlo::inputDuringPressWaitsForItsEnd()
{
    // Logs the slowdown of each pause and the end of each press.
    class Watched : public Zrcadlo
    {
    public:
        QString log;
        void pause(std::chrono::nanoseconds length) override
        {
            log += QString::number(length / Pacer::UnitDuration);
            Zrcadlo::pause(length);
        }
        void setLabelVisible(ResultLabel label, bool visible) override
        {
            log += label == ResultLabel::Soucet ? "|" : "";
            Zrcadlo::setLabelVisible(label, visible);
        }
    } watched;
    cleanup();
    w = &watched;
    watched.show();
    QVERIFY(QTest::qWaitForWindowExposed(w));

    // Roads that are not mouse or keys, all during the first press: an
    // accessibility "Press" on Start, then a new slowdown through the
    // accessible value, then the window system's request to close.
    auto act = [this](const char *name) { return QAccessible::queryAccessibleInterface(child(name)); };
    QStringList during;
    QTimer::singleShot(200, this, [&] {
        during << QString::number(w->cursor().shape());
        act("cmdStart")->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    });
    QTimer::singleShot(600, this, [&] {
        act("HScroll1")->valueInterface()->setCurrentValue(5);
        QCoreApplication::postEvent(w->windowHandle(), new QCloseEvent);
    });
    QTimer::singleShot(900, this, [&] {
        during << text("nSpomaleni") << QString::number(w->isVisible()) << watched.log.right(1);
    });
    click("cmdStart");
    QCOMPARE(during, QStringList({QString::number(Qt::BusyCursor), "1", "1", "1"}));
    // Two presses one after the other, both at the old slowdown; then the
    // new slowdown, then the close.
    const QString press = QString("1").repeated(30) + "|";
    QCOMPARE(watched.log, press + press);
    QCOMPARE(text("nSpomaleni"), QString("5"));
    QVERIFY(!w->isVisible());
    QCOMPARE(w->cursor().shape(), Qt::ArrowCursor);
    w = nullptr;
}

void TestZrcadlo::fullScreenAtOnce_data()
{
    QTest::addColumn<QStringList>("input"); // keys, or "double-click" on a control
    QTest::addColumn<bool>("pressing");     // given in the middle of a press
    QTest::addColumn<bool>("full");
    QTest::newRow("F11") << QStringList{"F11"} << false << true;
    QTest::newRow("F") << QStringList{"F"} << false << true;
    QTest::newRow("F11 twice") << QStringList{"F11", "F11"} << false << false;
    QTest::newRow("Esc leaves") << QStringList{"F", "Esc"} << false << false;
    QTest::newRow("Esc alone") << QStringList{"Esc"} << false << false;
    QTest::newRow("Ctrl+F is not it") << QStringList{"Ctrl+F"} << false << false;
    QTest::newRow("F during a press") << QStringList{"F"} << true << true;
    QTest::newRow("double-click on the picture during a press") << QStringList{"double-click drawingSurface"} << true
                                                                << true;
    QTest::newRow("double-click on a label") << QStringList{"double-click labPosun"} << false << false;
}

// Full screen changes how the window is shown, not the program: it is
// taken at once, also while a press holds every other input.
void TestZrcadlo::fullScreenAtOnce()
{
    QFETCH(QStringList, input);
    QFETCH(bool, pressing);
    QFETCH(bool, full);
    std::optional<bool> seen;
    QTimer::singleShot(pressing ? 300 : 0, w, [&] {
        for (const QString &what : input) {
            if (what.startsWith("double-click"))
                QTest::mouseDClick(child(what.section(' ', 1)), Qt::LeftButton, {},
                                   child(what.section(' ', 1))->rect().center());
            else
                QTest::keySequence(w->focusWidget(), QKeySequence::fromString(what));
        }
        QTest::qWait(50);
        seen = w->isFullScreen();
    });
    if (pressing) {
        w->findChild<QLineEdit *>("nSpomaleni")->setText("5");
        click("cmdStart");
    }
    QTRY_VERIFY(seen.has_value());
    QCOMPARE(*seen, full);
    QCOMPARE(text("nPosun"), QString("0")); // nothing else happened
}

void TestZrcadlo::touchAtTwiceTheSize_data()
{
    // Each: where a finger goes down, where it lifts, in design pixels.
    QTest::addColumn<QList<QLine>>("touches");
    QTest::addColumn<QString>("settings");
    QTest::newRow("taps on the options") << QList<QLine>{{78, 78, 78, 78}, {230, 78, 230, 78}} << "250/2/1";
    QTest::newRow("taps on the scroll bar's arrow and trough")
        << QList<QLine>{{418, 48, 418, 48}, {380, 48, 380, 48}} << "0/1/3";
    QTest::newRow("the thumb dragged to the end") << QList<QLine>{{277, 48, 424, 48}} << "0/1/20";
}

// On an interactive whiteboard, by finger, the window twice its size.
void TestZrcadlo::touchAtTwiceTheSize()
{
    QFETCH(QList<QLine>, touches);
    QFETCH(QString, settings);
    w->resize(1600, 1162);
    QTRY_COMPARE(w->placement().scale, 2.0);
    QPointingDevice *finger = QTest::createTouchDevice();
    for (const QLine &t : touches) {
        const QPoint from = w->fromDesign(t.p1()).toPoint(), to = w->fromDesign(t.p2()).toPoint();
        QTest::touchEvent(w, finger).press(0, from, w);
        for (int step = 1; step <= 8; ++step)
            QTest::touchEvent(w, finger).move(0, from + (to - from) * step / 8, w);
        QTest::touchEvent(w, finger).release(0, to, w);
        QTest::qWait(20);
    }
    QCOMPARE(QStringList({text("nPosun"), text("nKmitocet"), text("nSpomaleni")}).join('/'), settings);
}

QTEST_MAIN(TestZrcadlo)
#include "tst_zrcadlo.moc"
