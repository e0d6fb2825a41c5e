// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windowaccessible.h"

#include "drawingsurface.h"
#include "notice.h"
#include "optionaccessible.h"
#include "zrcadlo.h"

#include <QRadioButton>

WindowAccessible::WindowAccessible(Zrcadlo *window) : QAccessibleWidget(window, QAccessible::Window) {}

QList<QWidget *> WindowAccessible::shown() const
{
    QList<QWidget *> children;
    const auto *window = static_cast<const Zrcadlo *>(widget());
    for (QObject *o : window->children()) {
        auto *w = qobject_cast<QWidget *>(o);
        if (w && !w->isWindow() && !window->isStore(w))
            children << w;
    }
    return children;
}

int WindowAccessible::childCount() const
{
    return int(shown().size());
}

QAccessibleInterface *WindowAccessible::child(int index) const
{
    const QList<QWidget *> children = shown();
    if (index < 0 || index >= children.size())
        return nullptr;
    return QAccessible::queryAccessibleInterface(children[index]);
}

int WindowAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    if (!child)
        return -1;
    return int(shown().indexOf(qobject_cast<QWidget *>(child->object())));
}

QAccessibleInterface *WindowAccessible::factory(const QString &, QObject *object)
{
    // Owned by Qt's accessibility cache.
    if (auto *window = qobject_cast<Zrcadlo *>(object))
        return new WindowAccessible(window);
    if (auto *surface = qobject_cast<DrawingSurface *>(object))
        return new QAccessibleWidget(surface, QAccessible::Graphic);
    if (auto *notice = qobject_cast<Notice *>(object))
        return new QAccessibleWidget(notice, QAccessible::Notification);
    if (auto *option = qobject_cast<QRadioButton *>(object))
        return new OptionAccessible(option);
    return nullptr;
}
