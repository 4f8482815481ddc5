#include <windows.h>

#include <mmsystem.h>

#include "shell/main_loop.h"

// The program's entry point; the command line and the show command are not used.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The frame clock counts single milliseconds.
    timeBeginPeriod(1);
    const int32_t exitCode = RunGame(instance);
    timeEndPeriod(1);
    return exitCode;
}
