#include <GL/gl.h>

#include <ctime>

#include "game/random.h"
#include "render/error_report.h"
#include "render/fonts.h"
#include "render/menus.h"
#include "render/textures.h"
#include "settings/prefs_file.h"
#include "shell/main_loop.h"
#include "shell/window_messages.h"

GameWindow* gameWindow = nullptr;

int32_t SetUpContext(GameWindow* window, KeyTable* keys) {
    gameWindow = window;
    keyTable = keys;
    quitRequest = [] { RequestQuit(gameWindow); };

    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glClearDepth(1.0);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_DEPTH_TEST);
    glShadeModel(GL_SMOOTH);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_TEXTURE_2D);

    if (LoadTextures() == 0) {
        ReportError("Loading Textures Failed", ReportOwner::none);
        return 0;
    }

    BuildLargeFont();
    BuildSmallFont();

    // The option screens may have saved since the last window was set up.
    if (PreferencesMissingOrEmpty()) WriteDefaultPreferences();
    ReadPreferences(settings, settingsCount);

    SeedRandom(static_cast<uint32_t>(std::time(nullptr)));
    return 1;
}

// The textures end with the context.
void TearDownContext() {
    ReleaseLargeFont();
    ReleaseSmallFont();
}
