// On XCB, so that a window that goes while the tree is read costs one request.

#include "platform/linux/box_placement.h"

#include "platform/linux/xcb_connection.h"

#include <atomic>
#include <chrono>
#include <cstring>
#include <set>
#include <thread>
#include <utility>
#include <vector>

namespace {

std::thread placer;
std::atomic<bool> boxAnswered{false};

bool IsShown(xcb_connection_t* connection, xcb_window_t window) {
    Owned attributes(xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, window), nullptr));
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

bool IsShownErrorWindow(xcb_connection_t* connection, xcb_window_t window) {
    constexpr char title[] = "Error";
    Owned name(xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 16),
        nullptr));
    return name && xcb_get_property_value_length(name.reply) == sizeof title - 1 &&
           std::memcmp(xcb_get_property_value(name.reply), title, sizeof title - 1) == 0 &&
           IsShown(connection, window);
}

// The shown top-level windows titled "Error": the root's children (without a
// window manager) and the clients a window manager lists as it frames them.
std::set<xcb_window_t> ShownErrorWindows(xcb_connection_t* connection, xcb_window_t root) {
    std::vector<xcb_window_t> candidates;
    if (Owned tree(xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr));
        tree) {
        const xcb_window_t* children = xcb_query_tree_children(tree.reply);
        candidates.assign(children, children + xcb_query_tree_children_length(tree.reply));
    }
    const xcb_atom_t clientList = InternAtom(connection, "_NET_CLIENT_LIST");
    if (clientList != XCB_ATOM_NONE) {
        Owned clients(xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, root, clientList, XCB_ATOM_WINDOW, 0, 4096),
            nullptr));
        if (clients && clients->format == 32) {
            const auto* listed =
                static_cast<const xcb_window_t*>(xcb_get_property_value(clients.reply));
            candidates.insert(candidates.end(), listed,
                              listed + xcb_get_property_value_length(clients.reply) / 4);
        }
    }
    std::set<xcb_window_t> found;
    for (xcb_window_t window : candidates)
        if (IsShownErrorWindow(connection, window)) found.insert(window);
    return found;
}

// Moves box to its place over the game window.
void MoveOver(xcb_connection_t* connection, xcb_window_t root, xcb_window_t game,
              xcb_window_t box) {
    Owned gameSize(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, game), nullptr));
    Owned boxSize(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, box), nullptr));
    Owned gamePlace(xcb_translate_coordinates_reply(
        connection, xcb_translate_coordinates(connection, game, root, 0, 0), nullptr));
    if (!gameSize || !boxSize || !gamePlace) return;
    const uint32_t place[] = {
        static_cast<uint32_t>(gamePlace->dst_x + (gameSize->width - boxSize->width) / 2),
        static_cast<uint32_t>(gamePlace->dst_y + (gameSize->height - boxSize->height) / 3)};
    xcb_configure_window(connection, box, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, place);
    xcb_flush(connection);
}

void PlaceBox(xcb_connection_t* connection, xcb_window_t root, xcb_window_t game,
              const std::set<xcb_window_t>& before) {
    xcb_window_t box = XCB_WINDOW_NONE;
    while (!boxAnswered && box == XCB_WINDOW_NONE) {
        for (xcb_window_t shown : ShownErrorWindows(connection, root))
            if (before.count(shown) == 0) box = shown;
        if (box == XCB_WINDOW_NONE) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    // A window manager may still place the box its own way just after it has
    // shown it (pulling it on to the monitor, say); the same move is asked
    // again for a moment, which changes nothing once it holds.
    for (int again = 0; again < 20 && !boxAnswered && box != XCB_WINDOW_NONE; ++again) {
        MoveOver(connection, root, game, box);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

} // namespace

void StartBoxPlacement(const char* displayName, uint32_t gameWindow) {
    EndBoxPlacement();
    xcb_window_t root = 0;
    xcb_connection_t* connection = ConnectWithRoot(displayName, &root);
    if (!connection) return;
    // The boxes already up are counted before the new one can be shown, not
    // when the thread first runs, which may be after.
    std::set<xcb_window_t> before = ShownErrorWindows(connection, root);
    boxAnswered = false;
    placer = std::thread([connection, root, gameWindow, before = std::move(before)] {
        PlaceBox(connection, root, gameWindow, before);
        xcb_disconnect(connection);
    });
}

void EndBoxPlacement() {
    boxAnswered = true;
    if (placer.joinable()) placer.join();
}
