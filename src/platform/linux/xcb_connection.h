#pragma once

// What the game's own XCB connections share: the message boxes' placement and
// the window manager's frame. XCB reports an error for the one request that
// failed, where Xlib calls the one error handler the whole program shares.

#include <xcb/xcb.h>

#include <cstdlib>

// Connects to the display named displayName ($DISPLAY when null) and sets
// root to its screen's root window; null when that fails.
xcb_connection_t* ConnectWithRoot(const char* displayName, xcb_window_t* root);

// The atom of that name, or XCB_ATOM_NONE where the server has none.
xcb_atom_t InternAtom(xcb_connection_t* connection, const char* name);

// A reply, freed when it goes out of scope.
template <typename Reply> struct Owned {
    Reply* reply;
    explicit Owned(Reply* r) : reply(r) {}
    ~Owned() { std::free(reply); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Reply* operator->() const { return reply; }
    explicit operator bool() const { return reply != nullptr; }
};
