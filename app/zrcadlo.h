// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "announcer.h"
#include "layout.h"
#include "press.h"
#include "presshost.h"
#include "pressrun.h"
#include "startsettings.h"

#include <QWidget>

#include <chrono>
#include <memory>

class DrawingSurface;
class Notice;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QRadioButton;
class QScrollBar;

// The program's one window: its controls, built from the design table, the
// settings store (three hidden text boxes), the handlers, full screen, and
// what a Start press needs of the window besides the picture it draws on.
// Its layout and the run of a press are rooms of their own.
class Zrcadlo : public QWidget, public PressHost
{
    Q_OBJECT

public:
    explicit Zrcadlo(QWidget *parent = nullptr);
    ~Zrcadlo() override;

    // Handlers, named after their control and event.
    void Form_Load();
    void op0_Click();
    void op250_Click();
    void op1_Click();
    void op2_Click();
    void HScroll1_Change();
    void cmdKonec_Click();
    void cmdStart_Click();

    // The settings of a teacher's link or options, chosen as a user would.
    void choose(const StartSettings::Parsed &settings);

    // The picture given away, as the user sees it: the clipboard, a PNG or
    // SVG file, paper. What happened, in Czech, for a screen reader too.
    QString copyPicture();
    QString savePicture(const QString &path);
    QString printPicture(QPrinter &printer);
    // A whole press drawn with no window shown, written to a file: the
    // Czech reason where it was not.
    QString exportPress(const QString &path);

    DrawingSurface &surface() { return *m_surface; }
    // Whether a control is one of the hidden settings texts.
    bool isStore(const QWidget *control) const;

    // Window pixels per design pixel, and where the design's origin stands:
    // the content fills the window, its proportions kept, centred.
    const Fit::Placement &placement() const { return m_layout.placement(); }
    QPointF toDesign(QPointF window) const { return m_layout.toDesign(window); }
    QPointF fromDesign(QPointF design) const { return m_layout.fromDesign(design); }

    // PressHost
    void setLabelLeft(ResultLabel label, float left) override;
    void setLabelTop(ResultLabel label, float top) override;
    void setLabelVisible(ResultLabel label, bool visible) override;
    std::string settingText(Setting setting) const override;

    // The pause after an element (the press run's).
    virtual void pause(std::chrono::nanoseconds length);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void createControls();
    void connectOption(QRadioButton *option, void (Zrcadlo::*handler)());
    void hideResultLabels();
    // Full screen by F11 or F, or a double-click on the picture, and left
    // by Esc: taken at once, also during a press, since it changes how the
    // window is shown, not the program. Whether the event was that.
    bool fullScreenInput(const QEvent *event);
    // The picture's accessible description is what it shows now, and a
    // screen reader hears what is worth saying of it.
    void describe();
    QLabel *resultLabel(ResultLabel label) const;
    // Ctrl+C, Ctrl+S, Ctrl+P: whether the key was one of them.
    bool pictureKey(const QKeyEvent *event);
    // The picture's export at the size it is seen, never below the design's.
    qreal exportScale() const;
    // The content fitted to the window's size and ratio, and drawn again.
    void fitContent();
    // A window larger than its screen's room opens fitted to it.
    void fitToScreen();
    template <typename T>
    T *control(const char *name) const;

    Layout m_layout{*this};
    PressRun m_run;
    DrawingSurface *m_surface = nullptr;
    Notice *m_notice = nullptr;
    Announcer m_announcer;
    // The last press, kept until the next one: the picture stands.
    std::unique_ptr<Press> m_press;
    bool m_selectedAtPress = false;
    bool m_fittedToScreen = false;
    QScrollBar *HScroll1 = nullptr;
    QLineEdit *nSpomaleni = nullptr;
    QGroupBox *frmKmitocet = nullptr;
    QRadioButton *op2 = nullptr;
    QRadioButton *op1 = nullptr;
    QLineEdit *nKmitocet = nullptr;
    QPushButton *cmdKonec = nullptr;
    QGroupBox *frmPosun = nullptr;
    QRadioButton *op250 = nullptr;
    QRadioButton *op0 = nullptr;
    QLineEdit *nPosun = nullptr;
    QPushButton *cmdStart = nullptr;
    QLabel *labSoucet = nullptr;
    QLabel *labDetektor = nullptr;
    QLabel *labZdroj = nullptr;
    QLabel *labCas = nullptr;
    QLabel *labRadius = nullptr;
    QLabel *labPosun = nullptr;
    QLabel *labVelimor = nullptr;
};
