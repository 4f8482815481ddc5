#include "platform/linux/xcb_connection.h"

#include <cstring>

xcb_connection_t* ConnectWithRoot(const char* displayName, xcb_window_t* root) {
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(displayName, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return nullptr;
    }
    xcb_screen_iterator_t screen = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screen.rem; ++i) xcb_screen_next(&screen);
    *root = screen.data->root;
    return connection;
}

xcb_atom_t InternAtom(xcb_connection_t* connection, const char* name) {
    Owned atom(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, std::strlen(name), name), nullptr));
    return atom ? atom->atom : xcb_atom_t{XCB_ATOM_NONE};
}
