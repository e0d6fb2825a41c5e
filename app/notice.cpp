// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "notice.h"

Notice::Notice(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("notice"));
    setFixedSize(0, 0);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void Notice::say(const QString &text)
{
    // A screen reader speaks a notification when it is shown.
    hide();
    setAccessibleName(text);
    show();
}
