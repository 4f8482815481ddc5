// The room for the game's window: SDL reads the work area the window manager
// publishes (_NET_WORKAREA); the caption and frame it would draw are asked of it
// with a window that is never shown (_NET_REQUEST_FRAME_EXTENTS), as no game
// window exists yet. On XCB, so that a window manager that goes meanwhile costs
// one request, not the program.

#include <SDL2/SDL.h>
#include <poll.h>

#include <cstdlib>
#include <cstring>

#include "platform/linux/display_mode.h"
#include "platform/linux/xcb_connection.h"
#include "platform/window.h"

namespace {

// How long the window manager is given to say how large its frame would be.
constexpr int frameAnswerMilliseconds = 250;

// Whether the window manager lists atom among what it supports.
bool Supported(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t atom) {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, root, InternAtom(connection, "_NET_SUPPORTED"),
                         XCB_ATOM_ATOM, 0, 1024),
        nullptr);
    bool found = false;
    if (reply && reply->format == 32) {
        const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
        const int count = xcb_get_property_value_length(reply) / 4;
        for (int i = 0; i < count && !found; ++i) found = atoms[i] == atom;
    }
    std::free(reply);
    return found;
}

// The frame's left, right, top and bottom the window manager would give window,
// once it has set them on it; false when no answer comes in time.
bool ReadFrame(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t extents,
               uint32_t frame[4]) {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, extents, XCB_ATOM_CARDINAL, 0, 4),
        nullptr);
    const bool read = reply && reply->format == 32 && xcb_get_property_value_length(reply) == 16;
    if (read) std::memcpy(frame, xcb_get_property_value(reply), 16);
    std::free(reply);
    return read;
}

// Asks the window manager on connection for the frame it would give a window,
// with one of the game's own that is never shown.
bool AskFrame(xcb_connection_t* connection, xcb_window_t root, uint32_t frame[4]) {
    const xcb_atom_t request = InternAtom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = InternAtom(connection, "_NET_FRAME_EXTENTS");
    if (!Supported(connection, root, request) || !Supported(connection, root, extents))
        return false;
    const xcb_window_t window = xcb_generate_id(connection);
    const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, root, 0, 0, 320, 240, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                      &events);
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = request;
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
    pollfd answer{xcb_get_file_descriptor(connection), POLLIN, 0};
    const Uint64 deadline = SDL_GetTicks64() + frameAnswerMilliseconds;
    bool known = false;
    while (!known) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            const bool extentsSet =
                (event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY &&
                reinterpret_cast<xcb_property_notify_event_t*>(event)->atom == extents;
            std::free(event);
            if (extentsSet) known = ReadFrame(connection, window, extents, frame);
        }
        const Uint64 now = SDL_GetTicks64();
        if (known || now >= deadline || xcb_connection_has_error(connection)) break;
        poll(&answer, 1, static_cast<int>(deadline - now));
    }
    xcb_destroy_window(connection, window);
    return known;
}

bool FrameExtents(uint32_t frame[4]) {
    xcb_window_t root = 0;
    xcb_connection_t* connection = ConnectWithRoot(nullptr, &root);
    if (!connection) return false;
    const bool known = AskFrame(connection, root, frame);
    xcb_disconnect(connection);
    return known;
}

} // namespace

void WindowRoom(int32_t* width, int32_t* height) {
    *width = 0;
    *height = 0;
    SDL_Rect work;
    uint32_t frame[4] = {0, 0, 0, 0};
    if (!SDL_WasInit(SDL_INIT_VIDEO) || std::strcmp(SDL_GetCurrentVideoDriver(), "x11") != 0 ||
        SDL_GetDisplayUsableBounds(gameDisplay, &work) != 0 || !FrameExtents(frame))
        return;
    // The columns whole: a window as wide as the screen has always hung its
    // side borders off it.
    *width = work.w;
    *height = work.h - static_cast<int32_t>(frame[2] + frame[3]);
}
