#include "render/draw_frame.h"

#include <GL/gl.h>

#include "game/computer.h"
#include "game/outcome.h"
#include "game/screen_flags.h"
#include "render/game_scene.h"
#include "render/menus.h"
#include "render/pointer_targets.h"

void DrawFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ForgetPointerTargets();
    if (screenFlags.inMenu) {
        DrawMenuFrame();
        return;
    }
    // A game frame: judge the board (drawing a winning line), draw the scene
    // and the marks, then let the computer move or close a finished game. The
    // computer's mark is first shown, and judged, in the next frame.
    glLoadIdentity();
    gameResult = CheckOutcome();
    DrawGameScene(gameResult);
    DrawMarks();
    FinishGameFrame(gameResult);
}
