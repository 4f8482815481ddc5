#include "shell/main_loop.h"

#include "game/turns.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "platform/speech.h"
#include "platform/window.h"
#include "render/draw_frame.h"
#include "render/error_report.h"
#include "settings/prefs_file.h"
#include "shell/announcer.h"
#include "shell/gl_checks.h"
#include "shell/pointer.h"
#include "shell/projection.h"
#include "shell/start_up.h"
#include "shell/window_messages.h"

int32_t keepRunning = 0;
int32_t nextFullscreen = 0;

int32_t RunGame(InstanceHandle instance) {
    errorBoxHook = ShowErrorBox;

    static KeyTable keys;
    static WindowClassInfo classInfo;
    static GameWindow window;
    classInfo.instance = instance;
    classInfo.name = "OpenGL";
    int32_t screenWidth = 0;
    int32_t screenHeight = 0;
    ScreenSize(&screenWidth, &screenHeight);
    PrepareGameWindow(&window, &keys, &classInfo, screenWidth, screenHeight, ScreenDpi());
    int32_t roomWidth = 0;
    int32_t roomHeight = 0;
    WindowRoom(&roomWidth, &roomHeight);
    FitWindowInRoom(&window, roomWidth, roomHeight);

    if (PreferencesMissingOrEmpty())
        WriteDefaultPreferences();
    else
        ReadPreferences(settings, settingsCount);

    if (settings.configpanel != 0) {
        // The dialog chooses the mode, and what it chose is kept for next time.
        if (AskForDisplayMode(&window, &settings) < 0) {
            UnregisterGameClass(&classInfo);
            return 0;
        }
        SavePreferences(settings);
    } else {
        ChooseDisplayMode(&window, settings);
    }

    if (RegisterGameClass(&classInfo) == 0) {
        ReportError("Error Registering Window Class!", ReportOwner::none);
        return -1;
    }

    keepRunning = 1;
    nextFullscreen = window.fullscreenMode;
    StartSpeech();
    while (RunPass(&window, &keys) == 1 && keepRunning != 0) {
    }
    EndSpeech();

    UnregisterGameClass(&classInfo);
    return 0;
}

int32_t RunPass(GameWindow* window, KeyTable* keys) {
    window->fullscreenMode = nextFullscreen;
    ForgetPointer();
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
    for (;;) {
        const TakenMessage taken = TakeWindowMessage(window);
        if (taken == TakenMessage::endOfPass) return;
        if (taken == TakenMessage::handled) continue;
        if (window->visible == 0) {
            // Minimised: no frames, and no processor time, until something happens.
            WaitForMessage();
            continue;
        }
        SetProjection(window->width, window->height);
        const uint32_t now = MillisecondClock();
        StepPointer(window);
        UpdateFrame(now - window->lastFrameTime);
        window->lastFrameTime = now;
        DrawFrame();
        AnnounceChanges();
        SwapGameBuffers(window);
#ifdef KELMOT_GL_CHECKS
        ReportGlErrors();
#endif
    }
}
