// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "zrcadlo.h"

#include "drawingsurface.h"
#include "inputhold.h"
#include "look.h"
#include "notice.h"
#include "scaledstyle.h"
#include "description.h"
#include "windowaccessible.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPainter>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <thread>

namespace {

template <typename T>
T *make(QWidget *parent, const char *name, QRect geometry)
{
    auto *w = new T(parent); // owned by its parent
    w->setObjectName(QLatin1String(name));
    w->setGeometry(geometry);
    return w;
}

QLabel *makeLabel(QWidget *parent, const char *name, const QString &caption, QRect geometry,
                  Qt::Alignment horizontal)
{
    auto *label = make<QLabel>(parent, name, geometry);
    label->setText(caption);
    label->setFont(Look::captionFont(12));
    label->setAlignment(horizontal | Qt::AlignTop);
    label->setWordWrap(true);
    label->setAutoFillBackground(true); // opaque over the picture
    label->setMargin(0);
    label->setIndent(0);
    return label;
}

QLineEdit *makeStore(QWidget *parent, const char *name, QRect geometry)
{
    auto *box = make<QLineEdit>(parent, name, geometry);
    box->setFocusPolicy(Qt::NoFocus);
    box->hide();
    return box;
}

QRadioButton *makeOption(QWidget *frame, const char *name, const QString &caption, QRect geometry)
{
    auto *option = make<QRadioButton>(frame, name, geometry);
    option->setText(caption);
    option->setFont(Look::dialogFont());
    option->setAccessibleName(caption);
    return option;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption, QRect geometry,
                        double points)
{
    auto *button = make<QPushButton>(parent, name, geometry);
    button->setText(caption);
    button->setFont(Look::captionFont(points));
    button->setAutoDefault(false);
    return button;
}

QGroupBox *makeFrame(QWidget *parent, const char *name, const QString &caption, QRect geometry)
{
    auto *frame = make<QGroupBox>(parent, name, geometry);
    frame->setTitle(caption);
    frame->setFont(Look::captionFont(12));
    frame->setAutoFillBackground(true);
    return frame;
}

// Only the selected option of a group is a Tab stop; arrow keys move
// within the group, as on the classic desktop.
void keepOneTabStop(QRadioButton *a, QRadioButton *b)
{
    auto update = [a, b] {
        const bool any = a->isChecked() || b->isChecked();
        a->setFocusPolicy(!any || a->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
        b->setFocusPolicy(!any || b->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    };
    QObject::connect(a, &QRadioButton::toggled, a, update);
    QObject::connect(b, &QRadioButton::toggled, b, update);
}

int toPixel(float value)
{
    return int(std::floor(value));
}

// The announcer's clock.
std::chrono::milliseconds announcerClock()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch());
}

} // namespace

Zrcadlo::Zrcadlo(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Zrcadlo"));
    setWindowTitle(QStringLiteral("Velimor - www.velimor.example"));
    setFont(Look::dialogFont());
    // The whole drawing field is client area from the start; the window
    // manager may make it larger (a projector, full screen) or smaller,
    // down to half, and the content follows.
    resize(Picture::FieldSize);
    setMinimumSize(Picture::FieldSize.width() / 2, Picture::FieldSize.height() / 2);

    QAccessible::installFactory(&WindowAccessible::factory); // once, however many windows
    createControls();
    // Each control is drawn by the application's style at any scale.
    m_style = new ScaledStyle(style()->name());
    m_style->setParent(this);
    setStyle(m_style);
    for (QWidget *control : findChildren<QWidget *>()) {
        control->setStyle(m_style);
        m_design.insert(control, control->geometry());
    }
    Form_Load();
}

Zrcadlo::~Zrcadlo() = default;

void Zrcadlo::createControls()
{
    // The picture lies under every control.
    m_surface = new DrawingSurface(Picture::FieldSize, this);
    m_surface->move(0, 0);
    m_surface->setAccessibleName(QStringLiteral("Obraz odrazu světla"));
    // A focus stop, so that a screen reader can read the picture again.
    m_surface->setFocusPolicy(Qt::TabFocus);
    m_notice = new Notice(this);
    describe();

    HScroll1 = make<QScrollBar>(this, "HScroll1", {256, 40, 169, 17});
    HScroll1->setOrientation(Qt::Horizontal);
    HScroll1->setRange(1, 20);
    HScroll1->setValue(1);
    HScroll1->setSingleStep(1);
    HScroll1->setPageStep(1);
    HScroll1->setInvertedControls(false); // the right arrow key goes towards 20
    HScroll1->setFocusPolicy(Qt::StrongFocus);
    HScroll1->setAccessibleName(QStringLiteral("Zpomalení animace"));

    nSpomaleni = makeStore(this, "nSpomaleni", {392, 8, 65, 25});

    frmKmitocet = makeFrame(this, "frmKmitocet", QStringLiteral("Kmitočet světla"), {152, 56, 129, 33});
    op2 = makeOption(frmKmitocet, "op2", QStringLiteral("2"), {72, 16, 33, 13});
    op1 = makeOption(frmKmitocet, "op1", QStringLiteral("1"), {24, 16, 41, 13});

    nKmitocet = makeStore(this, "nKmitocet", {248, 88, 41, 19});

    cmdKonec = makeButton(this, "cmdKonec", QStringLiteral("Konec"), {552, 16, 89, 28}, 14.25);

    frmPosun = makeFrame(this, "frmPosun", QStringLiteral("Posun"), {32, 56, 89, 33});
    op250 = makeOption(frmPosun, "op250", QStringLiteral("250"), {40, 16, 41, 13});
    op0 = makeOption(frmPosun, "op0", QStringLiteral("0"), {8, 16, 41, 13});
    // op0's box reaches under op250's circle; op250 lies on top so that
    // its circle takes its own clicks.
    op250->raise();

    nPosun = makeStore(this, "nPosun", {24, 40, 41, 19});

    cmdStart = makeButton(this, "cmdStart", QStringLiteral("Start"), {448, 16, 89, 28}, 15.75);

    labSoucet = makeLabel(this, "labSoucet", QStringLiteral("Součet radiusvektorů"), {312, 48, 105, 41},
                          Qt::AlignHCenter);
    labDetektor = makeLabel(this, "labDetektor", QStringLiteral("Detektor"), {440, 48, 65, 25}, Qt::AlignLeft);
    labZdroj = makeLabel(this, "labZdroj", QStringLiteral("Zdroj světla"), {0, 232, 41, 41}, Qt::AlignLeft);
    labCas = makeLabel(this, "labCas", QStringLiteral("Čas"), {0, 72, 49, 17}, Qt::AlignLeft);
    labRadius = makeLabel(this, "labRadius",
                          QStringLiteral("Radiusvektory fotonu na trasách od elementů zrcadla"),
                          {8, 120, 137, 57}, Qt::AlignHCenter);
    labPosun = makeLabel(this, "labPosun",
                         QStringLiteral("Posun zdroje a detektoru světla vlevo od centra zrcadla"),
                         {32, 8, 209, 41}, Qt::AlignHCenter);
    labVelimor = makeLabel(this, "labVelimor", QStringLiteral("Velimor"), {280, 8, 145, 25}, Qt::AlignLeft);
    labVelimor->setFont(Look::captionFont(17.25));

    keepOneTabStop(op0, op250);
    keepOneTabStop(op1, op2);
    setTabOrder(cmdStart, op0);
    setTabOrder(op0, op250);
    setTabOrder(op250, cmdKonec);
    setTabOrder(cmdKonec, op1);
    setTabOrder(op1, op2);
    setTabOrder(op2, HScroll1);
    setTabOrder(HScroll1, m_surface);
    setTabOrder(m_surface, cmdStart);

    connectOption(op0, &Zrcadlo::op0_Click);
    connectOption(op250, &Zrcadlo::op250_Click);
    connectOption(op1, &Zrcadlo::op1_Click);
    connectOption(op2, &Zrcadlo::op2_Click);
    // Mouse and keys are held during a press; what reaches a control by
    // another road (an accessibility action, a posted event) waits here.
    connect(HScroll1, &QScrollBar::valueChanged, this, [this] { whenIdle([this] { HScroll1_Change(); }); });
    connect(cmdKonec, &QPushButton::clicked, this, [this] { whenIdle([this] { cmdKonec_Click(); }); });
    connect(cmdStart, &QPushButton::clicked, this, &Zrcadlo::cmdStart_Click);

    cmdStart->setFocus();
}

void Zrcadlo::connectOption(QRadioButton *option, void (Zrcadlo::*handler)())
{
    // Selected from code or by the user: the handler runs at once, or,
    // during a press, after it.
    connect(option, &QRadioButton::toggled, this, [this, handler](bool on) {
        if (on)
            whenIdle([this, handler] { (this->*handler)(); });
    });
    // A click on the option that is already selected selects it again, so
    // that a click on "0" always brings the frequency back to 1.
    connect(option, &QRadioButton::pressed, this, [this, option] { m_selectedAtPress = option->isChecked(); });
    connect(option, &QRadioButton::clicked, this, [this, handler] {
        if (m_selectedAtPress)
            whenIdle([this, handler] { (this->*handler)(); });
        m_selectedAtPress = false;
    });
}

void Zrcadlo::Form_Load()
{
    op0->setChecked(true);
    nPosun->setText(QStringLiteral("0"));
    nKmitocet->setText(QStringLiteral("1"));
    nSpomaleni->setText(QStringLiteral("1"));
    hideResultLabels();
}

void Zrcadlo::hideResultLabels()
{
    for (ResultLabel label : ResultLabels)
        resultLabel(label)->setVisible(false);
}

void Zrcadlo::op0_Click()
{
    nPosun->setText(QStringLiteral("0"));
    op1->setChecked(true);
    hideResultLabels();
}

void Zrcadlo::op250_Click()
{
    nPosun->setText(QStringLiteral("250"));
    hideResultLabels();
}

void Zrcadlo::op1_Click()
{
    nKmitocet->setText(QStringLiteral("1"));
    hideResultLabels();
}

void Zrcadlo::op2_Click()
{
    nKmitocet->setText(QStringLiteral("2"));
    hideResultLabels();
}

void Zrcadlo::HScroll1_Change()
{
    nSpomaleni->setText(QString::number(HScroll1->value()));
}

void Zrcadlo::cmdKonec_Click()
{
    close(); // the last window: the program ends with it
}

void Zrcadlo::cmdStart_Click()
{
    // Never a press inside a press: a Start during one comes after it.
    if (m_pressing) {
        m_afterPress.enqueue([this] { cmdStart_Click(); });
        return;
    }
    m_pressing = true;
    setCursor(Qt::BusyCursor); // clicks now will wait
    InputHold hold(this);
    QCoreApplication::instance()->installEventFilter(&hold);
    m_surface->beginPress();
    m_press = std::make_unique<Press>(m_surface->canvas(), *this);
    m_announcer = Announcer();
    m_schedule = Pacer::Schedule(std::chrono::steady_clock::now().time_since_epoch());
    while (const auto length = m_press->step()) {
        describe();
        pause(*length);
    }
    describe();
    m_surface->flush();
    QCoreApplication::instance()->removeEventFilter(&hold);
    unsetCursor();
    m_pressing = false;
    describe();
    // What came during the press, in the order it came: the user's input
    // back to the event loop, to be taken once this handler has returned;
    // what came by other roads now. A Start among it presses again, and
    // what follows that waits for that press.
    hold.release();
    while (!m_afterPress.isEmpty())
        m_afterPress.dequeue()();
}

void Zrcadlo::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitContent();
}

void Zrcadlo::fitContent()
{
    m_placement = Fit::place(width(), height(), devicePixelRatioF());
    m_style->setScale(m_placement.scale);
    for (auto it = m_design.cbegin(); it != m_design.cend(); ++it)
        place(it.key());
    m_surface->setScale(m_placement.scale);
    update();
}

void Zrcadlo::place(QWidget *control)
{
    // Edges to the nearest pixel, so that neighbours stay neighbours.
    const QRect r = m_design.value(control);
    const double s = m_placement.scale;
    const QPointF origin = control->parentWidget() == this ? QPointF(m_placement.left, m_placement.top) : QPointF();
    const QPoint topLeft(int(std::lround(origin.x() + r.left() * s)), int(std::lround(origin.y() + r.top() * s)));
    const QPoint end(int(std::lround(origin.x() + (r.left() + r.width()) * s)),
                     int(std::lround(origin.y() + (r.top() + r.height()) * s)));
    control->setGeometry(QRect(topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y())));
}

QPointF Zrcadlo::toDesign(QPointF window) const
{
    return (window - QPointF(m_placement.left, m_placement.top)) / m_placement.scale;
}

QPointF Zrcadlo::fromDesign(QPointF design) const
{
    return design * m_placement.scale + QPointF(m_placement.left, m_placement.top);
}

void Zrcadlo::paintEvent(QPaintEvent *)
{
    // The window's grey under the content, a darker one around it.
    constexpr QColor Margin(0x80, 0x80, 0x80);
    QPainter p(this);
    const QRectF content(fromDesign({0, 0}), fromDesign({Field::Width, Field::Height}));
    if (!content.contains(QRectF(rect())))
        p.fillRect(rect(), Margin);
    p.fillRect(content, palette().window());
}

bool Zrcadlo::fullScreenInput(const QEvent *event)
{
    bool toggle = false;
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<const QKeyEvent *>(event);
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        toggle = key->key() == Qt::Key_F11 || (plain && key->key() == Qt::Key_F)
                 || (key->key() == Qt::Key_Escape && isFullScreen());
    } else if (event->type() == QEvent::MouseButtonDblClick) {
        // On the picture itself, not on a control or label over it.
        const QPoint at = mapFromGlobal(static_cast<const QMouseEvent *>(event)->globalPosition().toPoint());
        toggle = childAt(at) == m_surface;
    }
    if (toggle)
        setWindowState(windowState() ^ Qt::WindowFullScreen);
    return toggle;
}

void Zrcadlo::keyPressEvent(QKeyEvent *event)
{
    if (!fullScreenInput(event))
        QWidget::keyPressEvent(event);
}

void Zrcadlo::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (!fullScreenInput(event))
        QWidget::mouseDoubleClickEvent(event);
}

void Zrcadlo::whenIdle(std::function<void()> handler)
{
    if (m_pressing)
        m_afterPress.enqueue(std::move(handler));
    else
        handler();
}

void Zrcadlo::closeEvent(QCloseEvent *event)
{
    // A close request that is not user input (Wayland's, an accessibility
    // one) can arrive during a press: it ends the program after the press.
    if (m_pressing) {
        event->ignore();
        m_afterPress.enqueue([this] {
            if (close())
                m_afterPress.clear(); // the program is ending
        });
        return;
    }
    QWidget::closeEvent(event);
}

void Zrcadlo::describe()
{
    // Qt tells a screen reader of the change.
    const auto now = announcerClock();
    if (!m_press || m_announcer.describeNow(*m_press, now))
        m_surface->setAccessibleDescription(QString::fromStdString(Description::of(m_press.get())));
    if (!m_press)
        return;
    if (const auto text = m_announcer.afterStep(*m_press, now))
        m_notice->say(QString::fromStdString(*text));
    // A result held for the message before it is said when that has had its
    // time; a new press drops it.
    const auto due = m_announcer.due();
    if (due && !m_pressing)
        QTimer::singleShot(std::max(*due - announcerClock(), std::chrono::milliseconds::zero()), Qt::PreciseTimer,
                           m_notice, [this, press = m_press.get()] {
                               if (!m_pressing && m_press.get() == press)
                                   describe();
                           });
}

bool Zrcadlo::isStore(const QWidget *control) const
{
    return control == nPosun || control == nKmitocet || control == nSpomaleni;
}

QLabel *Zrcadlo::resultLabel(ResultLabel label) const
{
    switch (label) {
    case ResultLabel::Radius: return labRadius;
    case ResultLabel::Cas: return labCas;
    case ResultLabel::Zdroj: return labZdroj;
    case ResultLabel::Detektor: return labDetektor;
    case ResultLabel::Soucet: return labSoucet;
    }
    return labSoucet;
}

// Half pixels go to the pixel that contains them, as in the picture.
void Zrcadlo::setLabelLeft(ResultLabel label, float left)
{
    QLabel *l = resultLabel(label);
    m_design[l].moveLeft(toPixel(left));
    place(l);
}

void Zrcadlo::setLabelTop(ResultLabel label, float top)
{
    QLabel *l = resultLabel(label);
    m_design[l].moveTop(toPixel(top));
    place(l);
}

void Zrcadlo::setLabelVisible(ResultLabel label, bool visible)
{
    resultLabel(label)->setVisible(visible);
}

std::string Zrcadlo::settingText(Setting setting) const
{
    switch (setting) {
    case Setting::Posun: return nPosun->text().toStdString();
    case Setting::Kmitocet: return nKmitocet->text().toStdString();
    case Setting::Spomaleni: return nSpomaleni->text().toStdString();
    }
    return {};
}

void Zrcadlo::pause(std::chrono::nanoseconds length)
{
    // A pause shows everything drawn so far, and showing it counts as part
    // of the pause. No pause, no extra showing: the frame rule covers it.
    if (length <= std::chrono::nanoseconds::zero())
        return;
    const auto deadline = std::chrono::steady_clock::time_point(
        m_schedule.due(length, std::chrono::steady_clock::now().time_since_epoch()));
    m_surface->flush();
    // Meanwhile the window system is answered (pings, exposes, the
    // compositor's frames), so that the window never looks dead, and a
    // screen reader gets its keys; the user's input is held until the press
    // is over. The loop wakes a little early and the last stretch is
    // slept, so the pace stays exact.
    const auto loopFor = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - WakeMargin - std::chrono::steady_clock::now());
    if (loopFor.count() > 0) {
        QEventLoop loop;
        QTimer::singleShot(loopFor, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
    }
    // Sleeps, no busy waiting, until the deadline; a signal may wake it early.
    while (std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_until(deadline);
}
