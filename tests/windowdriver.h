// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "zrcadlo.h"

#include <QtTest>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

// The window in the test's own process: its controls by name, their
// texts and states, and clicks on them.
class WindowDriver
{
public:
    Zrcadlo *w = nullptr;

    static inline const QStringList ResultLabels{"labRadius", "labCas", "labZdroj", "labDetektor", "labSoucet"};

    template <typename T = QWidget>
    T *child(const QString &name) const
    {
        T *c = w->findChild<T *>(name);
        if (!c)
            qFatal("no control %s", qPrintable(name));
        return c;
    }
    QString text(const QString &name) const { return child<QLineEdit>(name)->text(); }
    bool checked(const QString &name) const { return child<QRadioButton>(name)->isChecked(); }
    void click(const QString &name) const { QTest::mouseClick(child(name), Qt::LeftButton, {}, QPoint(5, 6)); }
    int visibleResultLabels() const
    {
        int n = 0;
        for (const QString &name : ResultLabels)
            n += child<QLabel>(name)->isVisible();
        return n;
    }
    void showResultLabels() const
    {
        for (ResultLabel l : ::ResultLabels)
            w->setLabelVisible(l, true);
    }
};
