// The window loop's messages, the buffer swap and the clock on Windows.

#include <windows.h>

#include <mmsystem.h>

#include "platform/messages.h"
#include "shell/gamepad_keys.h"

TakenMessage TakeWindowMessage(GameWindow* window) {
    // Only the game window's messages: the end of a pass is posted to it too.
    MSG message;
    if (!PeekMessageA(&message, window->window, 0, 0, PM_REMOVE)) {
        // Once per pass with nothing waiting: the controllers' keys.
        PollGamepads(window);
        return TakenMessage::none;
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
