// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "announcer.h"
#include "fit.h"
#include "pacer.h"
#include "press.h"
#include "presshost.h"

#include <QHash>
#include <QQueue>
#include <QWidget>

#include <chrono>
#include <functional>
#include <memory>

class DrawingSurface;
class Notice;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class ScaledStyle;

// The program's one window: its controls, the settings store (three hidden
// text boxes), the handlers, and what a Start press needs of the window
// besides the picture it draws on.
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

    DrawingSurface &surface() { return *m_surface; }
    // Whether a control is one of the hidden settings texts.
    bool isStore(const QWidget *control) const;

    // Window pixels per design pixel, and where the design's origin stands:
    // the content fills the window, its proportions kept, centred.
    const Fit::Placement &placement() const { return m_placement; }
    QPointF toDesign(QPointF window) const;
    QPointF fromDesign(QPointF design) const;
    // Full screen by F11 or F, or a double-click on the picture, and left
    // by Esc: taken at once, also during a press, since it changes how the
    // window is shown, not the program. Whether the event was that.
    bool fullScreenInput(const QEvent *event);

    // PressHost
    void setLabelLeft(ResultLabel label, float left) override;
    void setLabelTop(ResultLabel label, float top) override;
    void setLabelVisible(ResultLabel label, bool visible) override;
    std::string settingText(Setting setting) const override;

    // The pause after an element: everything drawn is shown, the window
    // system is answered, and the user's input waits.
    virtual void pause(std::chrono::nanoseconds length);
    // How long before the end of a pause its event handling stops, so that
    // an event being handled then cannot make the pause late.
    static constexpr std::chrono::milliseconds WakeMargin{3};

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    // Runs a handler now, or, while a press runs, after it, in order.
    void whenIdle(std::function<void()> handler);
    void createControls();
    void connectOption(QRadioButton *option, void (Zrcadlo::*handler)());
    void hideResultLabels();
    // The picture's accessible description is what it shows now, and a
    // screen reader hears what is worth saying of it.
    void describe();
    QLabel *resultLabel(ResultLabel label) const;
    // Every control at its design place, scaled and moved as the content is.
    void fitContent();
    void place(QWidget *control);

    ScaledStyle *m_style = nullptr;
    Fit::Placement m_placement;
    // Each control's place in design pixels, in its own parent.
    QHash<QWidget *, QRect> m_design;
    DrawingSurface *m_surface = nullptr;
    Notice *m_notice = nullptr;
    Announcer m_announcer;
    Pacer::Schedule m_schedule;
    // The last press, kept until the next one: the picture stands.
    std::unique_ptr<Press> m_press;
    bool m_selectedAtPress = false;
    bool m_pressing = false;
    // What arrived during a press by roads other than the user's input.
    QQueue<std::function<void()>> m_afterPress;
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
