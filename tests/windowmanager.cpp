// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windowmanager.h"

#include <QtTest>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace {
quint32 atom(xcb_connection_t *c, const char *name)
{
    auto cookie = xcb_intern_atom(c, false, quint16(std::strlen(name)), name);
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(c, cookie, nullptr);
    const quint32 a = reply ? reply->atom : 0;
    std::free(reply);
    return a;
}
} // namespace

WindowManager::WindowManager(const QString &window) : m_window(window.toUInt())
{
    m_connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(m_connection))
        qFatal("cannot connect to the X server");
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    // Answers to pings come back to the root window.
    const quint32 mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
    m_protocols = atom(m_connection, "WM_PROTOCOLS");
    m_ping = atom(m_connection, "_NET_WM_PING");
    m_delete = atom(m_connection, "WM_DELETE_WINDOW");
}

WindowManager::~WindowManager()
{
    xcb_disconnect(m_connection);
}

void WindowManager::send(quint32 protocol, quint32 stamp)
{
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = m_window;
    event.type = m_protocols;
    event.data.data32[0] = protocol;
    event.data.data32[1] = stamp;
    event.data.data32[2] = m_window;
    xcb_send_event(m_connection, false, m_window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&event));
    xcb_flush(m_connection);
}

qint64 WindowManager::ping(int limitMs)
{
    const quint32 stamp = ++m_stamp + 1000;
    QElapsedTimer t;
    t.start();
    send(m_ping, stamp);
    while (t.elapsed() < limitMs) {
        while (xcb_generic_event_t *e = xcb_poll_for_event(m_connection)) {
            const bool answer = (e->response_type & 0x7f) == XCB_CLIENT_MESSAGE
                                && reinterpret_cast<xcb_client_message_event_t *>(e)->data.data32[0] == m_ping
                                && reinterpret_cast<xcb_client_message_event_t *>(e)->data.data32[1] == stamp;
            std::free(e);
            if (answer)
                return t.elapsed();
        }
        QTest::qWait(1);
    }
    return -1;
}

void WindowManager::askToClose()
{
    send(m_delete, 0);
}
