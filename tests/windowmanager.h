// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The test playing the window manager: it talks to the program's window
// over an X connection of its own, as a window manager would.
class WindowManager
{
public:
    explicit WindowManager(const QString &window);
    ~WindowManager();
    WindowManager(const WindowManager &) = delete;
    WindowManager &operator=(const WindowManager &) = delete;

    // Sends _NET_WM_PING and returns the milliseconds until the answer
    // came back on the root window, or -1 if none came within the limit.
    qint64 ping(int limitMs);
    // Asks the window to close, as a close box or Alt+F4 does.
    void askToClose();

private:
    void send(quint32 protocol, quint32 stamp);

    struct xcb_connection_t *m_connection = nullptr;
    quint32 m_window = 0, m_root = 0, m_protocols = 0, m_ping = 0, m_delete = 0;
    quint32 m_stamp = 0;
};
