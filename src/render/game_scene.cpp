#include "render/game_scene.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

#include "game/screen_flags.h"
#include "game/turns.h"
#include "render/fonts.h"
#include "render/pointer_targets.h"
#include "render/textures.h"
#include "settings/settings.h"

namespace {

// Where the key hint was drawn in the frame under way, in window coordinates:
// along its baseline, its start, the end of its first half, and its end.
struct DrawnHint {
    bool shown = false;
    float start = 0, split = 0, end = 0;
};
DrawnHint drawnHint;

// The marks, the cursor and the winning line stand 16 units from the eye.
void ApplyMarkEye(float x, float y) {
    gluLookAt(0, 0, 10, 0, 0, 0, 0, 1, 0);
    glTranslatef(x, y, -6.0f);
}

// A mark is drawn untextured, in white unless it colours its own vertices, in
// the mark frame at its cell; EndMark puts back the matrix and the texturing.
void BeginMark(float x, float y) {
    glDisable(GL_TEXTURE_2D);
    glPushMatrix();
    ApplyMarkEye(x, y);
    glColor3f(1.0f, 1.0f, 1.0f);
}

void EndMark() {
    glPopMatrix();
    glEnable(GL_TEXTURE_2D);
}

// A textured square from (left, bottom) to (right, top), the picture upright.
void TexturedQuad(float left, float bottom, float right, float top) {
    glBegin(GL_QUADS);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(right, top, 0.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(left, top, 0.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(left, bottom, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(right, bottom, 0.0f);
    glEnd();
}

void DrawBackground() {
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, -30.0f);
    glBindTexture(GL_TEXTURE_2D, textures[starsTexture]);
    TexturedQuad(-20.1f, -20.1f, 20.1f, 20.1f);
    glPopMatrix();
}

void DrawGrid() {
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, -4.0f);
    glColor3f(1.0f, 0.0f, 0.0f);
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_LINES);
    glVertex2f(-1.5f, 0.8f);
    glVertex2f(1.5f, 0.8f);
    glVertex2f(-1.5f, -0.2f);
    glVertex2f(1.5f, -0.2f);
    glVertex2f(-0.5f, 1.7f);
    glVertex2f(-0.5f, -5.0f);
    glVertex2f(0.5f, 1.7f);
    glVertex2f(0.5f, -5.0f);
    glEnd();
    glEnable(GL_TEXTURE_2D);
    glPopMatrix();
}

// The banner's picture moves right by bannerScroll picture widths, wrapping.
void DrawBanner() {
    glPushMatrix();
    glBindTexture(GL_TEXTURE_2D, textures[blueTexture]);
    glTranslatef(0.0f, -1.5f, -4.0f);
    glColor3f(1.0f, 1.0f, 1.0f);
    const float s = bannerScroll;
    glBegin(GL_QUADS);
    glTexCoord2f(-s, 0.0f);
    glVertex3f(-3.1f, -0.2f, 0.0f);
    glTexCoord2f(1.0f - s, 0.0f);
    glVertex3f(3.1f, -0.2f, 0.0f);
    glTexCoord2f(1.0f - s, 1.0f);
    glVertex3f(3.1f, 0.2f, 0.0f);
    glTexCoord2f(-s, 1.0f);
    glVertex3f(-3.1f, 0.2f, 0.0f);
    glEnd();
    glPopMatrix();
}

// The text for a won or tied game, or null while the game goes on.
const char* OutcomeText(GameResult result, float* x) {
    if (result == 3) {
        *x = -0.1f;
        return "Tie!";
    }
    if (result != 1 && result != 2) return nullptr;
    if (!screenFlags.twoPlayerGame) {
        *x = result == 1 ? -0.25f : -0.6f;
        return result == 1 ? "You Win!" : "The Computer Wins!";
    }
    // Value 1 belongs to whoever has the X's.
    const bool playerOneHasX = settings.player1xoro != 0;
    *x = -0.4f;
    return (result == 1) == playerOneHasX ? "Player1 Wins!" : "Player2 Wins!";
}

// Each cell answers the pointer half way to the cells beside it, and as far
// beyond the outer ones; the hint's halves over their text, from the bottom of
// the view up to the board. The board faces the eye square on, so where two of
// its points land (its centre and (1, 1)) tells where every point of it does.
void ShowGameTargets() {
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    glPushMatrix();
    glLoadIdentity();
    ApplyMarkEye(0.0f, 0.0f);
    glRasterPos2f(0.0f, 0.0f);
    const bool centreShown = RasterPosition(&x0, &y0);
    glRasterPos2f(1.0f, 1.0f);
    const bool unitShown = RasterPosition(&x1, &y1);
    glPopMatrix();
    if (!centreShown || !unitShown) return;
    const float scaleX = x1 - x0, scaleY = y1 - y0;

    float firstX = 0, firstY = 0, middleX = 0, middleY = 0;
    CellPosition(0, &firstX, &firstY);
    CellPosition(4, &middleX, &middleY);
    const float halfWidth = (middleX - firstX) / 2, halfHeight = (firstY - middleY) / 2;
    float boardBottom = 0;
    for (int32_t cell = 0; cell < 9; ++cell) {
        float x = 0, y = 0;
        CellPosition(cell, &x, &y);
        const WindowBox box{x0 + scaleX * (x - halfWidth), y0 + scaleY * (y - halfHeight),
                            x0 + scaleX * (x + halfWidth), y0 + scaleY * (y + halfHeight)};
        ShowPointerTarget({PointerTargetKind::cell, cell}, box);
        boardBottom = box.bottom; // the last row is the lowest
    }
    if (drawnHint.shown) {
        ShowPointerTarget({PointerTargetKind::reset},
                          {drawnHint.start, 0.0f, drawnHint.split, boardBottom});
        ShowPointerTarget({PointerTargetKind::backToMenu},
                          {drawnHint.split, 0.0f, drawnHint.end, boardBottom});
    }
}

} // namespace

void CellPosition(int32_t cell, float* x, float* y) {
    *x = -5.0f + 5.0f * float(cell % 3);
    *y = 5.0f - 4.0f * float(cell / 3);
}

void DrawGameScene(GameResult result) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glColor3f(1.0f, 1.0f, 1.0f);
    DrawBackground();
    DrawGrid();
    glPushMatrix();
    DrawResultText(result);
    glPopMatrix();
    DrawBanner();
    if (ArrowKeysInForce()) DrawCursor();
    ShowGameTargets();
}

void DrawResultText(GameResult result) {
    glPushMatrix();
    glColor3f(1.0f, 1.0f, 1.0f);
    glDisable(GL_TEXTURE_2D);
    float x = 0.0f;
    if (const char* text = OutcomeText(result, &x)) {
        glRasterPos3f(x, -2.15f, -6.0f);
        PrintSmall("%s", text);
    }
    // In two pieces, which draw as the whole line does, so that the pointer
    // can tell its halves apart.
    glRasterPos3f(-1.55f, -2.4f, -6.0f);
    drawnHint.shown = RasterPosition(&drawnHint.start, nullptr);
    PrintSmall("1) Press 'R' to Reset  ");
    RasterPosition(&drawnHint.split, nullptr);
    PrintSmall("2) Press ESC to Exit to Menu");
    RasterPosition(&drawnHint.end, nullptr);
    glEnable(GL_TEXTURE_2D);
    glPopMatrix();
}

void DrawMarks() {
    glDisable(GL_TEXTURE_2D);
    // Against the computer the person's marks (1) are X's unless xoro says O's;
    // in a two-player game 1 is always the X.
    const bool oneIsX = screenFlags.twoPlayerGame || settings.xoro != 0;
    for (int32_t cell = 0; cell < 9; ++cell) {
        if (board[cell] == emptyCell) continue;
        float x = 0, y = 0;
        CellPosition(cell, &x, &y);
        if ((board[cell] == markOne) == oneIsX)
            DrawX(x, y);
        else
            DrawO(x, y);
    }
    glEnable(GL_TEXTURE_2D);
}

void DrawO(float x, float y) {
    BeginMark(x, y);
    glBegin(GL_LINE_LOOP);
    for (int i = 0; i < 100; ++i) {
        const double angle = i * 3.1415926535898 * 0.02;
        glVertex2d(1.5 * std::cos(angle), 1.5 * std::sin(angle));
    }
    glEnd();
    EndMark();
}

void DrawX(float x, float y) {
    BeginMark(x, y);
    glBegin(GL_LINES);
    glColor3f(1.0f, 0.0f, 0.0f);
    glVertex2f(-1.0f, 1.5f);
    glColor3f(0.0f, 1.0f, 0.0f);
    glVertex2f(1.0f, -1.5f);
    glColor3f(0.0f, 0.0f, 1.0f);
    glVertex2f(1.0f, 1.5f);
    glColor3f(0.5f, 0.5f, 0.5f);
    glVertex2f(-1.0f, -1.5f);
    glEnd();
    EndMark();
}

void DrawCursor() {
    glPushMatrix();
    ApplyMarkEye(cursor.x, cursor.y);
    glColor3f(1.0f, 1.0f, 1.0f);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    // The mask's black shape cuts the pointer out of the picture, then the
    // pointer is added into the hole.
    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    glBindTexture(GL_TEXTURE_2D, textures[pointerMaskTexture]);
    TexturedQuad(-0.5f, 0.0f, 0.5f, 1.0f);
    glBlendFunc(GL_ONE, GL_ONE);
    glBindTexture(GL_TEXTURE_2D, textures[pointerTexture]);
    TexturedQuad(-0.5f, 0.0f, 0.5f, 1.0f);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glPopMatrix();
    DeriveCursorCell();
}
