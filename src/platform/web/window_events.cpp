#include "platform/web/window_events.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <deque>

#include "platform/messages.h"
#include "platform/web/key_map.h"
#include "shell/gamepad_keys.h"
#include "shell/window_messages.h"

namespace {

struct PageEvent {
    enum Kind {
        keyDown,
        keyUp,
        focusLost,
        hidden,
        shown,
        contextLost,
        contextRestored,
        modeToggle,
        endOfPass
    } kind;
    uint32_t key = 0;
};

struct PageEvents {
    std::deque<PageEvent> queue;
    GameWindow* window = nullptr;
    bool fullscreenShown = false;
    // No frames are drawn while the page is hidden or the context is lost.
    bool hidden = false;
    bool contextLost = false;
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

// Ctrl and Meta with a key belong to the browser (its shortcuts); Alt, F10 and
// keys pressed with Alt to the desktop: those presses are not recorded. A
// release always is, so that no key stays down in the table.
EM_BOOL OnKey(int type, const EmscriptenKeyboardEvent* event, void*) {
    const bool pressed = type == EMSCRIPTEN_EVENT_KEYDOWN;
    const int32_t code = VirtualKeyFor(event->code, event->key);
    const bool browserShortcut = event->ctrlKey || event->metaKey;
    if (code > 0 && !(pressed && (browserShortcut || IsSystemKey(code, event->altKey))))
        Queue({pressed ? PageEvent::keyDown : PageEvent::keyUp, uint32_t(code)});
    // Besides those, the browser acts only on its function keys; every other key
    // is the game's, and neither scrolls the page nor moves the focus.
    const bool functionKey = code >= 0x70 && code <= 0x87;
    return !(browserShortcut || event->altKey || functionKey);
}

// Another window or tab, or an element of the page (a box, the bar's button),
// has taken the focus, and with it the keys' releases.
EM_BOOL OnFocusLost(int, const EmscriptenFocusEvent*, void*) {
    Queue({PageEvent::focusLost});
    return EM_FALSE;
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

// A lost context comes back only when its loss is not taken as final (EM_TRUE
// keeps the browser from that).
EM_BOOL OnContextLost(int, const void*, void*) {
    Queue({PageEvent::contextLost});
    return EM_TRUE;
}

EM_BOOL OnContextRestored(int, const void*, void*) {
    Queue({PageEvent::contextRestored});
    return EM_FALSE;
}

// Frames come back once the page is shown and the window has its context.
void ShowUnlessPaused(GameWindow* window) {
    if (!page.hidden && !page.contextLost) WindowShown(window, window->width, window->height);
}

} // namespace

// The page's full-screen button.
extern "C" EMSCRIPTEN_KEEPALIVE void KelmotToggleDisplayMode() {
    if (page.window) Queue({PageEvent::modeToggle});
}

void ListenToPage(GameWindow* window) {
    page.window = window;
    page.hidden = false;
    page.contextLost = false;
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_FALSE, OnKey);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_FALSE, OnKey);
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, OnFocusLost);
    emscripten_set_focusin_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_FALSE,
                                    OnFocusLost);
    emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, OnVisibility);
    emscripten_set_fullscreenchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_FALSE,
                                             OnFullscreenChange);
    emscripten_set_webglcontextlost_callback(window->window, nullptr, EM_FALSE, OnContextLost);
    emscripten_set_webglcontextrestored_callback(window->window, nullptr, EM_FALSE,
                                                 OnContextRestored);
}

void StopListeningToPage() {
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_FALSE, nullptr);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_FALSE, nullptr);
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, nullptr);
    emscripten_set_focusin_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_FALSE, nullptr);
    emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, nullptr);
    emscripten_set_fullscreenchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_FALSE,
                                             nullptr);
    if (page.window && page.window->window) {
        emscripten_set_webglcontextlost_callback(page.window->window, nullptr, EM_FALSE, nullptr);
        emscripten_set_webglcontextrestored_callback(page.window->window, nullptr, EM_FALSE,
                                                     nullptr);
    }
    page.window = nullptr;
    // What belongs to the window just closed goes with it: its ends of pass (a
    // pass can be ended more than once over, by a close request and a toggle)
    // and its context's loss and return. The player's keys and toggles stay for
    // the next window.
    std::erase_if(page.queue, [](const PageEvent& event) {
        return event.kind == PageEvent::endOfPass || event.kind == PageEvent::contextLost ||
               event.kind == PageEvent::contextRestored;
    });
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
        RecordKey(window, KeySource::keyboard, event.key, event.kind == PageEvent::keyDown ? 1 : 0);
        break;
    case PageEvent::focusLost:
        ReleaseAllKeys(window);
        break;
    case PageEvent::hidden:
        ReleaseAllKeys(window);
        page.hidden = true;
        WindowMinimised(window);
        break;
    case PageEvent::shown:
        page.hidden = false;
        ShowUnlessPaused(window);
        break;
    case PageEvent::contextLost:
        page.contextLost = true;
        WindowMinimised(window);
        break;
    case PageEvent::contextRestored:
        page.contextLost = false;
        RenewLostContext(window);
        ShowUnlessPaused(window);
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
