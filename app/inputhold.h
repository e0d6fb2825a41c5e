// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QPointer>

#include <memory>
#include <utility>
#include <vector>

class QEvent;

// The user's mouse and keys during a press: held while this filter is
// installed on the application, and handed back to the event loop by
// release(), in order, so that they are taken after the press as if they
// had just come. The window system's own events go on as usual. Keys reach
// a screen reader first, as they always do (it sees them on their way to
// the window); a key it takes is never held.
class InputHold : public QObject
{
public:
    using QObject::QObject;
    ~InputHold() override;

    void release();

protected:
    bool eventFilter(QObject *target, QEvent *event) override;

private:
    std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> m_held;
};
