// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAccessibleWidget>

class QRadioButton;

// An option button as a screen reader meets it: a radio button named by
// its caption, checked or not, chosen by its press action. Unlike Qt's
// own it is not also labelled by its frame, whose name a screen reader
// says already as the group it enters, so the name is said once.
class OptionAccessible : public QAccessibleWidget
{
public:
    explicit OptionAccessible(QRadioButton *option);

    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    QList<QPair<QAccessibleInterface *, QAccessible::Relation>>
    relations(QAccessible::Relation match = QAccessible::AllRelations) const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

private:
    QRadioButton *option() const;
};
