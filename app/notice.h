// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

// What a screen reader says on its own, wherever the focus is: a
// notification that is shown anew with each message. It has no size and
// draws nothing; the window looks the same.
class Notice : public QWidget
{
    Q_OBJECT

public:
    explicit Notice(QWidget *parent);

    void say(const QString &text);
};
