#pragma once

#include <cstdint>

// Signals from other programs and the terminal, taken by one thread that only
// waits for them, outside any handler:
// - SIGUSR1 switches the game between full screen and a window;
// - SIGINT, SIGTERM and SIGHUP end the game wherever it is: as a close request
//   in the window loop, as the dialog's end at start-up, and with any message
//   box it shows ended (SDL shows one on X from a child process and waits for
//   it), so that the game ends the way it always does, its mode given back.
//   A signal the game was started ignoring (nohup) stays ignored.
// Blocks those signals in the calling thread and starts the thread; call
// before any other thread exists, so that every thread inherits the block.
// Further calls do nothing.
void StartSignalWatcher();

// Each SIGUSR1 becomes an event of this type (0: signals are dropped), and an
// end signal an SDL_QUIT while it is not 0. Returns only once no event of the
// type it replaces is being pushed any more.
void SetModeToggleTarget(uint32_t eventType);

// Whether an end signal has come.
bool EndRequested();

// Around each message box: while one is up, an end signal ends every child
// process of the game but the mode guard.
void MessageBoxShowing(bool showing);
