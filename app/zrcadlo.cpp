// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "zrcadlo.h"

#include "design.h"
#include "drawingsurface.h"
#include "look.h"
#include "notice.h"
#include "pictureexport.h"
#include "windowaccessible.h"

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace {

QString text(std::string_view s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QRect toQt(Design::Rect r)
{
    return {r.x, r.y, r.width, r.height};
}

// One widget of the design table, in its container, with its caption and font.
QWidget *make(const Design::Control &c, QWidget *parent)
{
    const QString caption = text(c.caption);
    QWidget *w = nullptr; // owned by its parent
    switch (c.kind) {
    case Design::Kind::Picture:
        w = new DrawingSurface(Picture::FieldSize, parent);
        // A focus stop, so that a screen reader can read the picture again.
        w->setFocusPolicy(Qt::TabFocus);
        break;
    case Design::Kind::ScrollBar: {
        auto *bar = new QScrollBar(Qt::Horizontal, parent);
        bar->setRange(1, 20);
        bar->setValue(1);
        bar->setSingleStep(1);
        bar->setPageStep(1);
        bar->setInvertedControls(false); // the right arrow key goes towards 20
        bar->setFocusPolicy(Qt::StrongFocus);
        w = bar;
        break;
    }
    case Design::Kind::Store: {
        auto *box = new QLineEdit(parent);
        box->setFocusPolicy(Qt::NoFocus);
        w = box;
        break;
    }
    case Design::Kind::Frame: {
        auto *frame = new QGroupBox(caption, parent);
        frame->setAutoFillBackground(true);
        w = frame;
        break;
    }
    case Design::Kind::Option:
        w = new QRadioButton(caption, parent);
        break;
    case Design::Kind::Button: {
        auto *button = new QPushButton(caption, parent);
        button->setAutoDefault(false);
        w = button;
        break;
    }
    case Design::Kind::Label: {
        // The lines break where the design breaks them, at every scale.
        auto *label = new QLabel(caption, parent);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment((c.align == Design::Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
        label->setAutoFillBackground(true); // opaque over the picture
        label->setMargin(0);
        label->setIndent(0);
        w = label;
        break;
    }
    }
    w->setObjectName(text(c.name));
    w->setGeometry(toQt(c.rect));
    w->setFont(c.points > 0 ? Look::captionFont(c.points) : Look::dialogFont());
    // A screen reader reads a caption of several lines as one phrase.
    if (c.kind != Design::Kind::Store && c.kind != Design::Kind::Frame)
        w->setAccessibleName(QString::fromStdString(Design::accessibleName(c)));
    if (!c.visible)
        w->hide();
    return w;
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
Pacer::Duration now()
{
    return std::chrono::steady_clock::now().time_since_epoch();
}

} // namespace

Zrcadlo::Zrcadlo(QWidget *parent)
    : QWidget(parent),
      m_run(*this, m_layout, [this](const QEvent *event) { return fullScreenInput(event); },
            [this] { m_surface->flush(); })
{
    setObjectName(text(Design::Window));
    setWindowTitle(text(Design::Caption));
    setFont(Look::dialogFont());
    // The whole drawing field is client area from the start; the window
    // manager may make it larger (a projector, full screen) or smaller,
    // down to half, and the content follows.
    resize(Picture::FieldSize);
    setMinimumSize(Picture::FieldSize.width() / 2, Picture::FieldSize.height() / 2);

    QAccessible::installFactory(&WindowAccessible::factory); // once, however many windows
    createControls();
    Form_Load();
}

Zrcadlo::~Zrcadlo() = default;

template <typename T>
T *Zrcadlo::control(const char *name) const
{
    return findChild<T *>(QLatin1String(name));
}

void Zrcadlo::createControls()
{
    for (const Design::Control &c : Design::Controls) {
        QWidget *parent = c.parent == Design::Window ? this : control<QWidget>(c.parent.data());
        m_layout.add(make(c, parent), toQt(c.rect));
    }
    m_surface = control<DrawingSurface>("picture");
    m_notice = new Notice(this);
    describe();

    HScroll1 = control<QScrollBar>("HScroll1");
    nSpomaleni = control<QLineEdit>("nSpomaleni");
    frmKmitocet = control<QGroupBox>("frmKmitocet");
    op2 = control<QRadioButton>("op2");
    op1 = control<QRadioButton>("op1");
    nKmitocet = control<QLineEdit>("nKmitocet");
    cmdKonec = control<QPushButton>("cmdKonec");
    frmPosun = control<QGroupBox>("frmPosun");
    op250 = control<QRadioButton>("op250");
    op0 = control<QRadioButton>("op0");
    nPosun = control<QLineEdit>("nPosun");
    cmdStart = control<QPushButton>("cmdStart");
    labSoucet = control<QLabel>("labSoucet");
    labDetektor = control<QLabel>("labDetektor");
    labZdroj = control<QLabel>("labZdroj");
    labCas = control<QLabel>("labCas");
    labRadius = control<QLabel>("labRadius");
    labPosun = control<QLabel>("labPosun");
    labVelimor = control<QLabel>("labVelimor");
    // op0's box reaches under op250's circle; op250 lies on top so that
    // its circle takes its own clicks.
    op250->raise();

    keepOneTabStop(op0, op250);
    keepOneTabStop(op1, op2);
    const auto stops = Design::tabOrder();
    for (std::size_t i = 0; i < stops.size(); ++i)
        setTabOrder(control<QWidget>(stops[i]->name.data()),
                    control<QWidget>(stops[(i + 1) % stops.size()]->name.data()));

    connectOption(op0, &Zrcadlo::op0_Click);
    connectOption(op250, &Zrcadlo::op250_Click);
    connectOption(op1, &Zrcadlo::op1_Click);
    connectOption(op2, &Zrcadlo::op2_Click);
    // Mouse and keys are held during a press; what reaches a control by
    // another road (an accessibility action, a posted event) waits too.
    connect(HScroll1, &QScrollBar::valueChanged, this, [this] { m_run.whenIdle([this] { HScroll1_Change(); }); });
    connect(cmdKonec, &QPushButton::clicked, this, [this] { m_run.whenIdle([this] { cmdKonec_Click(); }); });
    connect(cmdStart, &QPushButton::clicked, this, &Zrcadlo::cmdStart_Click);
    // Return and Enter press a focused button, as Space does: keyboards,
    // presenter remotes and the page all send them.
    cmdStart->installEventFilter(this);
    cmdKonec->installEventFilter(this);

    cmdStart->setFocus();
}

void Zrcadlo::connectOption(QRadioButton *option, void (Zrcadlo::*handler)())
{
    // Selected from code or by the user: the handler runs at once, or,
    // during a press, after it.
    connect(option, &QRadioButton::toggled, this, [this, handler](bool on) {
        if (on)
            m_run.whenIdle([this, handler] { (this->*handler)(); });
    });
    // A click on the option that is already selected selects it again, so
    // that a click on "0" always brings the frequency back to 1.
    connect(option, &QRadioButton::pressed, this, [this, option] { m_selectedAtPress = option->isChecked(); });
    connect(option, &QRadioButton::clicked, this, [this, handler] {
        if (m_selectedAtPress)
            m_run.whenIdle([this, handler] { (this->*handler)(); });
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

void Zrcadlo::choose(const StartSettings::Parsed &settings)
{
    // The shift first: "0" brings the frequency back to 1.
    if (settings.posun)
        (*settings.posun == "250" ? op250 : op0)->setChecked(true);
    if (settings.kmitocet)
        (*settings.kmitocet == "2" ? op2 : op1)->setChecked(true);
    if (settings.zpomaleni)
        HScroll1->setValue(*settings.zpomaleni);
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
    if (m_run.running()) {
        m_run.whenIdle([this] { cmdStart_Click(); });
        return;
    }
    m_surface->beginPress();
    m_press = std::make_unique<Press>(m_surface->canvas(), *this);
    m_announcer = Announcer();
    m_run.run(
        [this] {
            while (const auto length = m_press->step()) {
                describe();
                pause(*length);
            }
            describe();
            m_surface->flush();
        },
        [this] { describe(); });
}

void Zrcadlo::pause(std::chrono::nanoseconds length)
{
    m_run.pause(length);
}

bool Zrcadlo::event(QEvent *event)
{
    // Another screen, or another scale of the same one: a new fit, as a
    // resize is (a laptop beside a projector, a Wayland output rescaled).
    if (event->type() == QEvent::ScreenChangeInternal || event->type() == QEvent::UpdateRequest)
        if (m_layout.stale())
            fitContent();
    return QWidget::event(event);
}

void Zrcadlo::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitContent();
}

void Zrcadlo::fitContent()
{
    m_layout.fit();
    m_surface->setScale(placement().scale);
    update();
}

void Zrcadlo::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!std::exchange(m_fittedToScreen, true))
        QTimer::singleShot(0, this, &Zrcadlo::fitToScreen);
}

void Zrcadlo::fitToScreen()
{
    // Once the window manager has framed it: frame and all inside the
    // screen's room (a netbook's 1024 x 600 under a panel).
    const QScreen *s = screen();
    if (!s || isFullScreen() || isMaximized())
        return;
    const QRect room = s->availableGeometry();
    // What needs room is the client area under its title bar; a side
    // border of a pixel or two may stand out. Fitted, the frame is inside.
    const int titleBar = geometry().top() - frameGeometry().top();
    if (width() <= room.width() && height() + titleBar <= room.height())
        return;
    const QSize frame = frameGeometry().size() - size();
    const Fit::Box fitted = Fit::fitted(room.width() - frame.width(), room.height() - frame.height());
    resize(std::max(fitted.width, minimumWidth()), std::max(fitted.height, minimumHeight()));
    move(room.topLeft());
}

void Zrcadlo::paintEvent(QPaintEvent *)
{
    // The window's grey under the content, a darker one around it; the
    // content's box rounded as every control in it is.
    const QColor margin = QColor::fromRgb(Design::Margin);
    QPainter p(this);
    const QRect content = m_layout.content();
    if (!content.contains(rect()))
        p.fillRect(rect(), margin);
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
    // Keys, not shortcuts: held during a press like any other key, they
    // act after it, in order.
    if (!fullScreenInput(event) && !pictureKey(event))
        QWidget::keyPressEvent(event);
}

bool Zrcadlo::pictureKey(const QKeyEvent *event)
{
    QString said;
    if (event->matches(QKeySequence::Copy)) {
        said = copyPicture();
    } else if (event->matches(QKeySequence::Save)) {
        const QString path = QFileDialog::getSaveFileName(
            this, QStringLiteral("Uložit obrázek"), QStringLiteral("zrcadlo.png"),
            QStringLiteral("Obrázek PNG (*.png);;Vektorový obrázek SVG (*.svg)"));
        said = path.isEmpty() ? QStringLiteral("Obrázek neuložen.") : savePicture(path);
    } else if (event->matches(QKeySequence::Print)) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageOrientation(QPageLayout::Landscape);
        QPrintDialog dialog(&printer, this);
        said = dialog.exec() == QDialog::Accepted ? printPicture(printer) : QStringLiteral("Tisk zrušen.");
    } else {
        return false;
    }
    m_notice->say(said);
    return true;
}

qreal Zrcadlo::exportScale() const
{
    return std::max(1.0, placement().scale * devicePixelRatioF());
}

QString Zrcadlo::copyPicture()
{
    QGuiApplication::clipboard()->setImage(PictureExport(*this, *m_surface, m_surface->recording()).image(exportScale()));
    return QStringLiteral("Obrázek zkopírován.");
}

QString Zrcadlo::savePicture(const QString &path)
{
    const QString error = PictureExport(*this, *m_surface, m_surface->recording()).save(path, exportScale());
    return error.isEmpty() ? QStringLiteral("Uloženo do %1.").arg(QFileInfo(path).fileName())
                           : QStringLiteral("Obrázek neuložen: %1.").arg(error);
}

QString Zrcadlo::printPicture(QPrinter &printer)
{
    PictureExport(*this, *m_surface, m_surface->recording()).print(printer);
    return printer.printerState() == QPrinter::Error ? QStringLiteral("Tisk se nepodařil.")
                                                      : QStringLiteral("Vytištěno.");
}

QString Zrcadlo::exportPress(const QString &path)
{
    // No pauses: the slowdown counts only on the screen.
    const QString slowdown = nSpomaleni->text();
    nSpomaleni->setText(QStringLiteral("0"));
    cmdStart_Click();
    nSpomaleni->setText(slowdown);
    return PictureExport(*this, *m_surface, m_surface->recording()).save(path, 1.0);
}

void Zrcadlo::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (!fullScreenInput(event))
        QWidget::mouseDoubleClickEvent(event);
}

bool Zrcadlo::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !static_cast<QKeyEvent *>(event)->isAutoRepeat()) {
            static_cast<QPushButton *>(watched)->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Zrcadlo::closeEvent(QCloseEvent *event)
{
    // A close request that is not user input (Wayland's, an accessibility
    // one) can arrive during a press: it ends the program after the press.
    if (m_run.running()) {
        event->ignore();
        m_run.whenIdle([this] { close(); });
        return;
    }
    QWidget::closeEvent(event);
}

void Zrcadlo::describe()
{
    // Qt tells a screen reader of the change.
    const Announcer::Narration n = m_announcer.next(m_press.get(), now());
    if (n.description)
        m_surface->setAccessibleDescription(QString::fromStdString(*n.description));
    if (n.say)
        m_notice->say(QString::fromStdString(*n.say));
    // A result held for the message before it is said when the core asks;
    // a new press drops it.
    if (n.again && !m_run.running())
        QTimer::singleShot(std::chrono::duration_cast<std::chrono::milliseconds>(std::max(*n.again - now(), Pacer::Duration::zero())),
                           Qt::PreciseTimer, m_notice, [this, press = m_press.get()] {
                               if (!m_run.running() && m_press.get() == press)
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
    m_layout.moveTo(l, {toPixel(left), m_layout.design(l).y()});
}

void Zrcadlo::setLabelTop(ResultLabel label, float top)
{
    QLabel *l = resultLabel(label);
    m_layout.moveTo(l, {m_layout.design(l).x(), toPixel(top)});
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
