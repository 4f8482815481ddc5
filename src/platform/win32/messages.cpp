// The window loop's messages, the buffer swap and the clock on Windows.

#include <windows.h>

#include <mmsystem.h>

#include "platform/messages.h"
#include "shell/gamepad_keys.h"

namespace {

// The performance counter in microseconds.
int64_t MicrosecondClock() {
    static const int64_t frequency = [] {
        LARGE_INTEGER value;
        QueryPerformanceFrequency(&value);
        return int64_t(value.QuadPart);
    }();
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return count.QuadPart / frequency * 1'000'000 +
           count.QuadPart % frequency * 1'000'000 / frequency;
}

} // namespace

TakenMessage TakeWindowMessage(GameWindow* window) {
    // Only the game window's messages: the end of a pass is posted to it too.
    MSG message;
    while (!PeekMessageA(&message, window->window, 0, 0, PM_REMOVE)) {
        // Each time nothing is waiting: the controllers' keys.
        PollGamepads(window);
        if (window->visible == 0) return TakenMessage::none;
        const uint32_t wait = MillisecondsBeforeFrame(&window->pace, MicrosecondClock());
        if (wait == 0) return TakenMessage::none;
        // Returns as a message comes, which stays in the queue for the look above.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT);
    }
    if (message.message == WM_QUIT) return TakenMessage::endOfPass;
    // Not translated: keys reach the game as key-down and key-up messages only.
    DispatchMessageA(&message);
    return TakenMessage::handled;
}

void WaitForMessage() { WaitMessage(); }

void PostEndOfPass(GameWindow* window) { PostMessageA(window->window, WM_QUIT, 0, 0); }

void SwapGameBuffers(GameWindow* window) { SwapBuffers(window->deviceContext); }

uint32_t MillisecondClock() { return timeGetTime(); }
