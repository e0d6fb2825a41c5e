// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAccessibleWidget>

class Zrcadlo;

// The window as a screen reader meets it: a frame named by its caption,
// whose children are the controls and the picture, but not the hidden
// settings store. The picture is a graphic with a name and a description.
class WindowAccessible : public QAccessibleWidget
{
public:
    explicit WindowAccessible(Zrcadlo *window);

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;

    // For QAccessible::installFactory: the window's and the picture's interfaces.
    static QAccessibleInterface *factory(const QString &className, QObject *object);

private:
    QList<QWidget *> shown() const;
};
