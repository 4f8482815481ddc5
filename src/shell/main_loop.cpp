#include "shell/main_loop.h"

#include "game/turns.h"
#include "render/draw_frame.h"
#include "render/error_report.h"
#include "settings/prefs_file.h"
#include "shell/error_box.h"
#include "shell/gl_checks.h"
#include "shell/mode_toggle_signal.h"
#include "shell/projection.h"
#include "shell/start_up.h"
#include "shell/window_events.h"

int32_t keepRunning = 0;
int32_t nextFullscreen = 0;

int32_t RunGame() {
    // Before anything starts a thread, so that only the watcher takes SIGUSR1.
    StartModeToggleWatcher();
    errorBoxHook = ShowErrorBox;

    static KeyTable keys;
    static GameWindow window;
    int32_t screenWidth = 0;
    int32_t screenHeight = 0;
    ScreenSize(&screenWidth, &screenHeight);
    PrepareGameWindow(&window, &keys, screenWidth, screenHeight);

    if (PreferencesMissingOrEmpty())
        WriteDefaultPreferences();
    else
        ReadPreferences(settings, settingsCount);

    if (settings.configpanel != 0) {
        // The dialog chooses the mode, and what it chose is kept for next time.
        if (AskForDisplayMode(&window, &settings) < 0) {
            UnregisterGameClass();
            return 0;
        }
        SavePreferences(settings);
    } else {
        ChooseDisplayMode(&window, settings);
    }

    if (RegisterGameClass() == 0) {
        ReportError("Error Registering Window Class!", ReportOwner::none);
        return -1;
    }

    keepRunning = 1;
    nextFullscreen = window.fullscreenMode;
    while (RunPass(&window, &keys) == 1 && keepRunning != 0) {
    }

    UnregisterGameClass();
    return 0;
}

int32_t RunPass(GameWindow* window, KeyTable* keys) {
    window->fullscreenMode = nextFullscreen;
    if (OpenGameWindow(window) != 1) {
        ReportError("Error Creating OpenGL Window", ReportOwner::none);
        keepRunning = 0;
        return 0;
    }
    if (SetUpContext(window, keys) == 0)
        RequestQuit(window);
    else
        RunInnerLoop(window);
    TearDownContext();
    CloseGameWindow(window);
    return 1;
}

void RunInnerLoop(GameWindow* window) {
    SDL_Event event;
    for (;;) {
        if (SDL_PollEvent(&event)) {
            if (event.type == endOfPassEvent) return;
            HandleWindowMessage(window, event);
        } else if (window->visible == 0) {
            // Minimised: no frames, and no processor time, until something happens.
            SDL_WaitEvent(nullptr);
        } else {
            SetProjection(window->width, window->height);
            const uint32_t now = SDL_GetTicks();
            UpdateFrame(now - window->lastFrameTime);
            window->lastFrameTime = now;
            DrawFrame();
            SDL_GL_SwapWindow(window->window);
#ifdef KELMOT_GL_CHECKS
            ReportGlErrors();
#endif
        }
    }
}
