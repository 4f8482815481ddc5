// The bare window doing the game's start-up work and nothing else: it reads
// prefs.txt, loads the five pictures and builds both fonts with the game's own
// functions, sets the game's drawing state, and presents the game's first
// picture, the main menu, drawn by straight-line code. session_bench sets the
// game beside it: what the game takes beyond it is the cost of how the game is
// organised, and what it takes beyond the bare window is the cost of the work.

#include <GL/gl.h>

#include "bare_gl_window.h"
#include "render/fonts.h"
#include "render/textures.h"
#include "settings/prefs_file.h"
#include "straight_frames.h"

int main() {
    ReadPreferences(settings, settingsCount);
    SDL_Window* window = OpenBareWindow("picture_window");
    if (!window) return 1;

    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glClearDepth(1.0);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_DEPTH_TEST);
    glShadeModel(GL_SMOOTH);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_TEXTURE_2D);
    if (LoadTextures() == 0) return 1;
    BuildLargeFont();
    BuildSmallFont();

    return PresentUntilQuit(window, [](float width, float height) {
        StraightMenuFrame(textures, largeFontBase, width, height);
    });
}
