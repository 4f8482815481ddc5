#include "platform/web/window_events.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <deque>

#include "platform/messages.h"
#include "platform/web/gamepad.h"
#include "platform/web/key_map.h"
#include "shell/window_messages.h"

namespace {

struct PageEvent {
    enum Kind { keyDown, keyUp, hidden, shown, modeToggle, endOfPass } kind;
    uint32_t key = 0;
};

struct PageEvents {
    std::deque<PageEvent> queue;
    GameWindow* window = nullptr;
    bool fullscreenShown = false;
};
PageEvents page;

// Wakes WaitForMessage, if it waits.
// clang-format off
EM_JS(void, WakeWaiter, (), {
    if (Module.kelmotWake) {
        const wake = Module.kelmotWake;
        Module.kelmotWake = null;
        wake();
    }
});
// clang-format on

// clang-format off
EM_ASYNC_JS(void, WaitForWake, (), {
    await new Promise(resolve => Module.kelmotWake = resolve);
});
// clang-format on

// clang-format off
EM_ASYNC_JS(void, WaitForAnimationFrame, (), {
    await new Promise(resolve => requestAnimationFrame(resolve));
});
// clang-format on

void Queue(PageEvent event) {
    page.queue.push_back(event);
    WakeWaiter();
}

// The browser acts on keys only when a modifier is held (its own shortcuts) or
// for its function keys; every other key is the game's, and neither scrolls the
// page nor moves the focus.
bool KeyIsTheGames(const EmscriptenKeyboardEvent& event) {
    if (event.ctrlKey || event.altKey || event.metaKey) return false;
    const int32_t code = VirtualKeyFor(event.code, event.key);
    return !(code >= 0x70 && code <= 0x87);
}

// Alt, F10 and keys pressed with Alt belong to the browser and are not recorded;
// a release always is, so that no key stays down in the table.
EM_BOOL OnKey(int type, const EmscriptenKeyboardEvent* event, void*) {
    const bool pressed = type == EMSCRIPTEN_EVENT_KEYDOWN;
    const int32_t code = VirtualKeyFor(event->code, event->key);
    if (code > 0 && !(pressed && IsSystemKey(code, event->altKey)))
        Queue({pressed ? PageEvent::keyDown : PageEvent::keyUp, uint32_t(code)});
    return KeyIsTheGames(*event);
}

EM_BOOL OnVisibility(int, const EmscriptenVisibilityChangeEvent* event, void*) {
    Queue({event->hidden ? PageEvent::hidden : PageEvent::shown});
    return EM_FALSE;
}

// Leaving full screen through the browser (its Escape) is the mode toggle; the
// game's own leaving, on closing the window, is not.
EM_BOOL OnFullscreenChange(int, const EmscriptenFullscreenChangeEvent* event, void*) {
    if (!event->isFullscreen && page.fullscreenShown) {
        page.fullscreenShown = false;
        Queue({PageEvent::modeToggle});
    }
    return EM_FALSE;
}

} // namespace

// The page's full-screen button.
extern "C" EMSCRIPTEN_KEEPALIVE void KelmotToggleDisplayMode() {
    if (page.window) Queue({PageEvent::modeToggle});
}

void ListenToPage(GameWindow* window) {
    page.window = window;
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_FALSE, OnKey);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_FALSE, OnKey);
    emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, OnVisibility);
    emscripten_set_fullscreenchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_FALSE,
                                             OnFullscreenChange);
}

void StopListeningToPage() {
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_FALSE, nullptr);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_FALSE, nullptr);
    emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, nullptr);
    emscripten_set_fullscreenchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_FALSE,
                                             nullptr);
    page.window = nullptr;
    page.queue.clear();
}

void ForgetEndsOfPass() {
    std::erase_if(page.queue,
                  [](const PageEvent& event) { return event.kind == PageEvent::endOfPass; });
}

void SetFullscreenShown(bool shown) { page.fullscreenShown = shown; }

TakenMessage TakeWindowMessage(GameWindow* window) {
    if (page.queue.empty()) {
        // Once per pass with nothing waiting (a frame): the controllers' keys.
        PollGamepads(window);
        return TakenMessage::none;
    }
    const PageEvent event = page.queue.front();
    page.queue.pop_front();
    switch (event.kind) {
    case PageEvent::endOfPass:
        return TakenMessage::endOfPass;
    case PageEvent::keyDown:
    case PageEvent::keyUp:
        RecordKey(window, event.key, event.kind == PageEvent::keyDown ? 1 : 0);
        break;
    case PageEvent::hidden:
        WindowMinimised(window);
        break;
    case PageEvent::shown:
        WindowShown(window, window->width, window->height);
        break;
    case PageEvent::modeToggle:
        ToggleDisplayMode(window);
        break;
    }
    return TakenMessage::handled;
}

void WaitForMessage() {
    if (page.queue.empty()) WaitForWake();
}

void PostEndOfPass(GameWindow*) { Queue({PageEvent::endOfPass}); }

// The frame drawn shows when the browser next paints; the loop goes on with the
// next animation frame.
void SwapGameBuffers(GameWindow*) { WaitForAnimationFrame(); }

uint32_t MillisecondClock() { return uint32_t(uint64_t(emscripten_get_now())); }
