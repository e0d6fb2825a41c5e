#pragma once

#include "presshost.h"

#include <QWidget>

class DrawingSurface;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

// The program's one window: its controls, the settings store (three hidden
// text boxes), the handlers, and the operations a Start press draws with.
class Zrcadlo : public QWidget, public PressHost
{
public:
    explicit Zrcadlo(QWidget *parent = nullptr);
    ~Zrcadlo() override;

    static constexpr int FieldWidth = 800;
    static constexpr int FieldHeight = 581;

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

    // PressHost
    void setScaleMode(int mode) override;
    void setDrawWidth(int width) override;
    void setFillStyle(int style) override;
    void setFillColor(quint32 color) override;
    void line(qint16 flags, float x1, float y1, float x2, float y2, quint32 color) override;
    void circle(qint16 flags, float x, float y, float radius, quint32 color, float start, float end,
                float aspect) override;
    void setLabelLeft(ResultLabel label, float left) override;
    void setLabelTop(ResultLabel label, float top) override;
    void setLabelVisible(ResultLabel label, bool visible) override;
    QString settingText(Setting setting) const override;
    void pause(double steps) override;

private:
    void createControls();
    void connectOption(QRadioButton *option, void (Zrcadlo::*handler)());
    void hideResultLabels();
    QLabel *resultLabel(ResultLabel label) const;

    DrawingSurface *m_surface = nullptr;
    bool m_selectedAtPress = false;
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
