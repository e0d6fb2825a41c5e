// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commandline.h"
#include "recordinghost.h"
#include "design.h"
#include "drawingsurface.h"
#include "look.h"
#include "notice.h"
#include "pixels.h"
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
#include <QTemporaryFile>
#include <QTemporaryDir>
#include <QClipboard>
#include <QPrinter>
#include <QProcess>
#include <QXmlStreamReader>
#include <QScreen>
#include <QWindow>

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
    // Runs `what` once a press has begun (its busy pointer shows), at one
    // of its pauses, with the rest of it still to come.
    void whenPressing(std::function<void()> what)
    {
        auto *poll = new QTimer(w);
        connect(poll, &QTimer::timeout, w, [this, poll, what] {
            if (w->cursor().shape() != Qt::BusyCursor)
                return;
            poll->stop();
            poll->deleteLater();
            what();
        });
        poll->start(5);
    }

    void startUpState();
    // Before the tests that end the application's loop: presses here run
    // event loops of their own.
    void heldInput_data();
    void heldInput();
    void fullScreenAtOnce_data();
    void fullScreenAtOnce();
    void returnPressesAFocusedButton();
    void anotherScreenScale_data();
    void anotherScreenScale();
    void contentWholeAtFractionalScales_data();
    void contentWholeAtFractionalScales();
    void opensFittedToASmallScreen();
    void chosenByOptions();
    void pictureGivenAway_data();
    void pictureGivenAway();
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
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < Design::Controls.size(); ++i)
        QTest::newRow(Design::Controls[i].name.data()) << int(i);
}

// Every control as the design table has it, its caption whole in its box.
void TestZrcadlo::designTable()
{
    QFETCH(int, row);
    const Design::Control &d = Design::Controls[std::size_t(row)];
    static const QMap<Design::Kind, QString> classes{
        {Design::Kind::Picture, "DrawingSurface"}, {Design::Kind::ScrollBar, "QScrollBar"},
        {Design::Kind::Store, "QLineEdit"},        {Design::Kind::Frame, "QGroupBox"},
        {Design::Kind::Option, "QRadioButton"},    {Design::Kind::Button, "QPushButton"},
        {Design::Kind::Label, "QLabel"}};
    const QString caption = QString::fromUtf8(d.caption.data(), qsizetype(d.caption.size()));
    const QRect geometry(d.rect.x, d.rect.y, d.rect.width, d.rect.height);
    const int fontPixels = d.points > 0 ? Design::pixels(d.points) : 0;
    QWidget *c = child(QTest::currentDataTag());

    QCOMPARE(c->metaObject()->className(), classes.value(d.kind));
    QCOMPARE(c->parentWidget()->objectName(), QString::fromUtf8(d.parent.data(), qsizetype(d.parent.size())));
    QCOMPARE(c->geometry(), geometry);
    QCOMPARE(c->isVisible(), d.visible);

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
        QCOMPARE(int(l->alignment() & Qt::AlignHorizontal_Mask),
                 int(d.align == Design::Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft));
        QVERIFY(l->autoFillBackground());
        // The caption's ink lies inside the fixed box: render it into a
        // taller and wider copy and look for ink outside the design size.
        QLabel copy;
        copy.setFont(f);
        copy.setText(caption);
        copy.setAlignment(l->alignment());
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
        // Every line fits the box (nothing wider, no line below it).
        for (const QString &line : caption.split('\n'))
            QVERIFY2(QFontMetrics(f).horizontalAdvance(line) <= geometry.width(), qPrintable(line));
        QVERIFY(caption.count('\n') * QFontMetrics(f).lineSpacing() + QFontMetrics(f).height()
                <= geometry.height() + QFontMetrics(f).descent());
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
    const QStringList cycle{"op0", "cmdKonec", "op1", "HScroll1", "picture", "cmdStart", "op0"};
    for (const QString &name : cycle) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), name);
    }
    // The selected option of a group is its Tab stop.
    click("op250");
    click("op2");
    child("cmdStart")->setFocus();
    for (const char *name : {"op250", "cmdKonec", "op2", "HScroll1", "picture", "cmdStart"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString(name));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("picture"));
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
    QTRY_COMPARE(watched.log, press + press);
    QTRY_COMPARE(text("nSpomaleni"), QString("5"));
    QTRY_VERIFY(!w->isVisible());
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
    QTest::newRow("double-click on the picture during a press") << QStringList{"double-click picture"} << true
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
    bool duringPress = false;
    const auto fullScreen = [&] {
        for (const QString &what : input) {
            if (what.startsWith("double-click"))
                QTest::mouseDClick(child(what.section(' ', 1)), Qt::LeftButton, {},
                                   child(what.section(' ', 1))->rect().center());
            else
                QTest::keySequence(w->focusWidget(), QKeySequence::fromString(what));
        }
        QTest::qWait(50);
        seen = w->isFullScreen();
        duringPress = visibleResultLabels() == 0;
    };
    if (pressing)
        whenPressing(fullScreen);
    else
        QTimer::singleShot(0, w, fullScreen);
    if (pressing) {
        w->findChild<QLineEdit *>("nSpomaleni")->setText("1");
        click("cmdStart");
    }
    QTRY_VERIFY(seen.has_value());
    QVERIFY(duringPress || !pressing);
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

namespace {

// Where a user aims at a control, in design pixels: 6 pixels in, halfway down.
QPointF aimAt(const QString &name)
{
    const Design::Rect r = Design::inWindow(Design::control(name.toStdString()));
    return {r.x + 6.0, r.y + r.height / 2.0};
}
const QPointF RightArrow(418, 48);

// The screens by their device pixel ratio: 1, 2 and 1.5 (see main).
QScreen *screenOfRatio(double ratio)
{
    for (QScreen *s : QGuiApplication::screens())
        if (s->devicePixelRatio() == ratio)
            return s;
    qFatal("no screen of ratio %g", ratio);
}

} // namespace

void TestZrcadlo::heldInput_data()
{
    // Each: what comes during a slowdown-1 press, one step after another;
    // then the settings and whether the program has ended, after the press.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("settings");
    QTest::addColumn<bool>("ended");
    QTest::newRow("options of both groups") << QStringList{"click op250", "click op2"} << "250/2/1" << false;
    QTest::newRow("Konec last") << QStringList{"click op250", "click op2", "click cmdKonec"} << "250/2/1" << true;
    QTest::newRow("three quick clicks on the arrow") << QStringList{"double-click arrow", "click arrow"} << "0/1/4"
                                                     << false;
    QTest::newRow("Return on a focused Konec") << QStringList{"focus cmdKonec", "key Return"} << "0/1/1" << true;
    QTest::newRow("a click held across a resize") << QStringList{"click op250", "resize"} << "250/1/1" << false;
    QTest::newRow("a tap held across a resize") << QStringList{"tap op250", "resize"} << "250/1/1" << false;
    QTest::newRow("a click held across a change of scale") << QStringList{"click op250", "screen 2"} << "250/1/1"
                                                           << false;
}

// What waits for the end of a press is taken after it, every one, in
// order, aimed where it was aimed whatever the window's size is then.
void TestZrcadlo::heldInput()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, settings);
    QFETCH(bool, ended);
    QWindow *window = w->windowHandle();
    const auto at = [this](QPointF design) { return w->fromDesign(design).toPoint(); };
    const auto settingsNow = [this] { return QStringList({text("nPosun"), text("nKmitocet"), text("nSpomaleni")}).join('/'); };
    QPointingDevice *finger = QTest::createTouchDevice();
    QString during;
    whenPressing([&] {
        for (const QString &step : steps) {
            const QString what = step.section(' ', 1);
            const QPointF point = what == "arrow" ? RightArrow : what.startsWith("op") || what.startsWith("cmd")
                                                                     ? aimAt(what) : QPointF();
            if (step.startsWith("click"))
                QTest::mouseClick(window, Qt::LeftButton, {}, at(point));
            else if (step.startsWith("double-click"))
                QTest::mouseDClick(window, Qt::LeftButton, {}, at(point));
            else if (step.startsWith("tap")) {
                QTest::touchEvent(window, finger).press(0, at(point), window);
                QTest::touchEvent(window, finger).release(0, at(point), window);
            } else if (step.startsWith("focus"))
                child(what)->setFocus();
            else if (step.startsWith("key"))
                QTest::keyClick(window, Qt::Key_Return);
            else if (step == "resize")
                w->resize(1600, 1162);
            else if (step.startsWith("screen"))
                window->setScreen(screenOfRatio(what.toDouble()));
            QTest::qWait(20);
        }
        during = settingsNow();
    });
    child<QScrollBar>("HScroll1")->setValue(1);
    click("cmdStart");
    QCOMPARE(during, QString("0/1/1")); // nothing was taken during the press
    QTRY_COMPARE(settingsNow(), settings);
    QTest::qWait(100); // and nothing more comes
    QCOMPARE(settingsNow(), settings);
    QCOMPARE(!w->isVisible(), ended);
}

void TestZrcadlo::returnPressesAFocusedButton()
{
    QApplication::setActiveWindow(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
    child<QLineEdit>("nSpomaleni")->setText("0");
    child("cmdStart")->setFocus();
    QTest::keyClick(w->windowHandle(), Qt::Key_Enter, Qt::KeypadModifier);
    QTRY_COMPARE(visibleResultLabels(), 5);
}

void TestZrcadlo::anotherScreenScale_data()
{
    // Each: whether the window moves to the screen of twice the ratio in
    // the middle of the press rather than after it.
    QTest::addColumn<bool>("midPress");
    QTest::newRow("with a finished picture") << false;
    QTest::newRow("in the middle of a press") << true;
}

// A laptop's window moved to a projector of another scale: the picture
// whole and sharp there, the same as a window opened there shows it.
void TestZrcadlo::anotherScreenScale()
{
    QFETCH(bool, midPress);
    QScreen *twice = screenOfRatio(2);
    child<QLineEdit>("nSpomaleni")->setText(midPress ? "1" : "0");
    if (midPress)
        QTimer::singleShot(500, w, [this, twice] { w->windowHandle()->setScreen(twice); });
    click("cmdStart");
    if (!midPress)
        w->windowHandle()->setScreen(twice);
    QTRY_COMPARE(w->devicePixelRatioF(), 2.0);

    Zrcadlo there;
    there.move(twice->geometry().topLeft());
    there.resize(w->size());
    there.show();
    QVERIFY(QTest::qWaitForWindowExposed(&there));
    there.findChild<QLineEdit *>("nSpomaleni")->setText("0");
    QTest::mouseClick(there.findChild<QWidget *>("cmdStart"), Qt::LeftButton, {}, QPoint(5, 6));
    const QImage moved = w->surface().grab().toImage(), opened = there.surface().grab().toImage();
    QCOMPARE(moved.size(), w->surface().size() * 2);
    QCOMPARE(moved, opened);
}

void TestZrcadlo::contentWholeAtFractionalScales_data()
{
    // Each: the screen's device pixel ratio and the window's size.
    QTest::addColumn<double>("ratio");
    QTest::addColumn<QSize>("size");
    QTest::newRow("1.5, 1100 x 777") << 1.5 << QSize(1100, 777);
    QTest::newRow("2, maximised on 3840 x 2160") << 2.0 << QSize(1920, 1080);
}

// The content's last device column and row are the window's, not left
// unpainted, and the scroll bar has its bottom edge.
void TestZrcadlo::contentWholeAtFractionalScales()
{
    QFETCH(double, ratio);
    QFETCH(QSize, size);
    w->windowHandle()->setScreen(screenOfRatio(ratio));
    w->resize(size);
    QTRY_COMPARE(w->size(), size);
    QTRY_COMPARE(w->devicePixelRatioF(), ratio);
    child<QLineEdit>("nSpomaleni")->setText("0");
    click("cmdStart");
    // The picture as the backing store has it: over nothing, since it is opaque.
    QImage shot(size * ratio, QImage::Format_RGB32);
    shot.setDevicePixelRatio(ratio);
    shot.fill(Qt::black); // what no paint reaches
    w->surface().render(&shot, w->surface().pos(), {}, QWidget::DrawChildren);
    // The content's box as the window rounds it, in device pixels.
    const QRectF content(w->surface().geometry());
    const int right = int(std::ceil(content.right() * ratio)) - 1, bottom = int(std::ceil(content.bottom() * ratio)) - 1;
    QStringList unpainted;
    for (int y = int(std::ceil(content.top() * ratio)); y <= bottom; ++y)
        if (Pixel::at(shot, right, y) == Pixel::Black)
            unpainted << QString("%1,%2").arg(right).arg(y);
    for (int x = int(std::ceil(content.left() * ratio)); x <= right; ++x)
        if (Pixel::at(shot, x, bottom) == Pixel::Black)
            unpainted << QString("%1,%2").arg(x).arg(bottom);
    QCOMPARE(unpainted.mid(0, 5), QStringList());
    w->render(&shot);
    // The scroll bar's bottom edge: the right arrow's last device row is
    // its bevel's shadow.
    auto *bar = child("HScroll1");
    const int bottomRow = int(std::ceil((bar->mapTo(w, QPoint()).y() + bar->height()) * ratio)) - 1;
    const QRgb edge = Pixel::at(shot, int(w->fromDesign(RightArrow).x() * ratio), bottomRow);
    QVERIFY2(qGray(edge) < 0x90, qPrintable(QString::number(edge, 16)));
}

// On a netbook's screen, title bar and all: the window opens fitted to
// the room the screen has, its content whole.
void TestZrcadlo::opensFittedToASmallScreen()
{
    QScreen *netbook = nullptr;
    for (QScreen *s : QGuiApplication::screens())
        if (s->size() == QSize(1024, 560))
            netbook = s;
    QVERIFY(netbook);
    Zrcadlo small;
    small.move(netbook->geometry().topLeft());
    small.show();
    QVERIFY(QTest::qWaitForWindowExposed(&small));
    QTRY_VERIFY(netbook->availableGeometry().contains(small.frameGeometry()));
    QVERIFY(small.height() < 581);
    QVERIFY(small.rect().contains(small.findChild<QWidget *>("picture")->geometry()));
}

// A teacher's options open the window as the same choices by hand would.
void TestZrcadlo::chosenByOptions()
{
    for (const QStringList &options : {QStringList{"--posun", "250", "--kmitocet", "2", "--zpomaleni", "5"},
                                       QStringList{"--kmitocet=2", "--posun=0", "--zpomaleni=20"}}) {
        init();
        w->choose(CommandLine(QStringList{"zrcadlo"} + options).settings());
        const bool shifted = options.contains("250");
        QCOMPARE(QStringList({text("nPosun"), text("nKmitocet"), text("nSpomaleni")}).join('/'),
                 shifted ? "250/2/5" : "0/2/20");
        QVERIFY(checked(shifted ? "op250" : "op0") && checked("op2"));
    }
}

void TestZrcadlo::pictureGivenAway_data()
{
    // Each: how the picture leaves the program, after a press or before any.
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("pressed");
    QTest::newRow("copied") << "copy" << true;
    QTest::newRow("copied, the empty field") << "copy" << false;
    QTest::newRow("saved as PNG") << "png" << true;
    QTest::newRow("saved as SVG") << "svg" << true;
    QTest::newRow("printed to a PDF file") << "pdf" << true;
    QTest::newRow("a path that cannot be written") << "bad" << true;
    QTest::newRow("exported without a display") << "export" << true;
}

// Ctrl+C, Ctrl+S, Ctrl+P and --export: the field and its result labels as
// the window shows them, in vectors where the file takes them.
void TestZrcadlo::pictureGivenAway()
{
    QFETCH(QString, how);
    QFETCH(bool, pressed);
    QTemporaryDir dir;
    child<QLineEdit>("nSpomaleni")->setText("0");
    click("op250");
    if (pressed)
        click("cmdStart");
    const QString file = dir.filePath("zrcadlo." + (how == "svg" || how == "pdf" ? how : QString("png")));
    QString said;
    if (how == "copy")
        said = w->copyPicture();
    else if (how == "png" || how == "svg")
        said = w->savePicture(file);
    else if (how == "bad")
        said = w->savePicture(dir.filePath("missing/zrcadlo.png"));
    else if (how == "pdf") {
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        said = w->printPicture(printer);
    } else {
        QProcess program;
        QProcessEnvironment bare = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "QT_SCREEN_SCALE_FACTORS"})
            bare.remove(name);
        program.setProcessEnvironment(bare);
        program.start(ZRCADLO_BINARY, {"--export", file, "--posun", "250"});
        QVERIFY(program.waitForFinished(30000));
        QVERIFY2(program.exitCode() == 0, program.readAllStandardError().constData());
    }
    // What a screen reader hears.
    const QMap<QString, QString> words{{"copy", "Obrázek zkopírován."}, {"png", "Uloženo do zrcadlo.png."},
                                       {"svg", "Uloženo do zrcadlo.svg."}, {"pdf", "Vytištěno."}};
    if (how == "bad") {
        QVERIFY2(said.startsWith("Obrázek neuložen: do „"), qPrintable(said));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
        return;
    }
    QCOMPARE(said, words.value(how));
    // The picture as the window shows it: its green resultant, or none yet.
    const QImage seen = how == "copy" ? QGuiApplication::clipboard()->image() : QImage(file);
    if (how == "copy" || how == "png" || how == "export") {
        QCOMPARE(seen.size(), Picture::FieldSize);
        QCOMPARE(Pixel::count(seen, seen.rect(), Pixel::Green) > 20, pressed);
        QCOMPARE(Pixel::labelShown(seen, QRect(w->findChild<QLabel *>("labSoucet")->pos(), QSize(105, 41))), pressed);
    } else if (how == "svg") {
        // Valid SVG, a line element for each line the picture draws.
        QFile svg(file);
        QVERIFY(svg.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&svg);
        int lines = 0;
        while (!xml.atEnd())
            lines += xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"polyline";
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        RecordingHost drawn;
        w->surface().recording().replay(drawn);
        QCOMPARE(lines, int(drawn.of(RecordingHost::Kind::Line).size()));
    } else {
        QFile pdf(file);
        QVERIFY(pdf.open(QIODevice::ReadOnly) && pdf.read(5) == "%PDF-" && pdf.size() > 10000);
    }
}

// More screens beside the first: one of twice its device pixel ratio, one
// of one and a half, and a netbook's 1024 x 600 less its panel. The first by name is the primary one, where every
// other test opens.
int main(int argc, char *argv[])
{
    QTemporaryFile screens(QDir::tempPath() + "/zrcadlo-screens-XXXXXX.json");
    if (!screens.open())
        return 1;
    screens.write(R"({"screens": [
        {"name": "a-one", "x": 0, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96},
        {"name": "b-twice", "x": 1920, "y": 0, "width": 3840, "height": 2160, "logicalDpi": 96},
        {"name": "c-half", "x": 5760, "y": 0, "width": 2880, "height": 1620, "logicalDpi": 96},
        {"name": "d-netbook", "x": 8640, "y": 0, "width": 1024, "height": 560, "logicalDpi": 96}]})");
    screens.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
    qputenv("QT_SCREEN_SCALE_FACTORS", "a-one=1;b-twice=2;c-half=1.5;d-netbook=1");
    QApplication app(argc, argv);
    TestZrcadlo test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_zrcadlo.moc"
