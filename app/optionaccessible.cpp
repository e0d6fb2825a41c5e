// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "optionaccessible.h"

#include <QRadioButton>

OptionAccessible::OptionAccessible(QRadioButton *option) : QAccessibleWidget(option, QAccessible::RadioButton) {}

QRadioButton *OptionAccessible::option() const
{
    return static_cast<QRadioButton *>(widget());
}

QAccessible::State OptionAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.checkable = true;
    s.checked = option()->isChecked();
    return s;
}

QString OptionAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && option()->accessibleName().isEmpty())
        return option()->text();
    return QAccessibleWidget::text(t);
}

QList<QPair<QAccessibleInterface *, QAccessible::Relation>>
OptionAccessible::relations(QAccessible::Relation match) const
{
    auto all = QAccessibleWidget::relations(match);
    all.removeIf([](const auto &relation) { return relation.second & QAccessible::Label; });
    return all;
}

QStringList OptionAccessible::actionNames() const
{
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
}

void OptionAccessible::doAction(const QString &actionName)
{
    if (actionName == pressAction())
        option()->click();
    else
        QAccessibleWidget::doAction(actionName);
}
