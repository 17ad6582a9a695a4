#include "window_manager.h"

#include <xcb/xcb.h>
#include <QGuiApplication>

#include <cstdlib>
#include <cstring>
#include <optional>

namespace tallivan::gui {

namespace {

xcb_atom_t atomNamed(xcb_connection_t* connection, const char* name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

// The window named by `window`'s WINDOW property `atom`, if it has one.
std::optional<xcb_window_t> windowProperty(xcb_connection_t* connection, xcb_window_t window,
                                           xcb_atom_t atom) {
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(connection, 0, window, atom, XCB_ATOM_WINDOW, 0, 1);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
    std::optional<xcb_window_t> value;
    if (reply && reply->type == XCB_ATOM_WINDOW && xcb_get_property_value_length(reply) >= 4)
        value = *static_cast<xcb_window_t*>(xcb_get_property_value(reply));
    std::free(reply);
    return value;
}

}  // namespace

bool windowManagerRunning() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return true;
    xcb_connection_t* connection = x11->connection();
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const xcb_atom_t check = atomNamed(connection, "_NET_SUPPORTING_WM_CHECK");
    if (!screen || check == XCB_ATOM_NONE)
        return false;
    // A window manager names a window of its own on the root, which names itself again.
    const std::optional<xcb_window_t> own = windowProperty(connection, screen->root, check);
    return own && windowProperty(connection, *own, check) == own;
}

}  // namespace tallivan::gui
