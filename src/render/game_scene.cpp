#include "render/game_scene.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

#include "game/screen_flags.h"
#include "game/turns.h"
#include "render/fonts.h"
#include "render/pointer_targets.h"
#include "render/textures.h"
#include "settings/settings.h"

namespace {

// The grid stands 4 units in front of the eye: two lines across, at heights
// gridAcross, from gridLeft to gridRight, and two lines down, at gridDown, from
// gridTop to gridBottom. The banner stands in the same plane.
constexpr float gridDepth = -4.0f;
constexpr float gridAcross[2] = {0.8f, -0.2f};
constexpr float gridDown[2] = {-0.5f, 0.5f};
constexpr float gridLeft = -1.5f, gridRight = 1.5f, gridTop = 1.7f, gridBottom = -5.0f;
constexpr float bannerY = -1.5f, bannerHalfWidth = 3.1f, bannerHalfHeight = 0.2f;
// How far a mark reaches from its cell position: the O's radius, the X's
// half-height.
constexpr float markReach = 1.5f;
// The outcome text and the key hint, on their baselines 6 units in front.
constexpr float textDepth = -6.0f, outcomeY = -2.15f, hintX = -1.55f, hintY = -2.4f;

// Where the key hint was drawn in the frame under way, in window coordinates:
// its baseline, and along it its start, the end of its first half, and its end.
struct DrawnHint {
    bool shown = false;
    float baseline = 0, start = 0, split = 0, end = 0;
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
    glTranslatef(0.0f, 0.0f, gridDepth);
    glColor3f(1.0f, 0.0f, 0.0f);
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_LINES);
    for (const float y : gridAcross) {
        glVertex2f(gridLeft, y);
        glVertex2f(gridRight, y);
    }
    for (const float x : gridDown) {
        glVertex2f(x, gridTop);
        glVertex2f(x, gridBottom);
    }
    glEnd();
    glEnable(GL_TEXTURE_2D);
    glPopMatrix();
}

// The banner's picture moves right by bannerScroll picture widths, wrapping.
void DrawBanner() {
    glPushMatrix();
    glBindTexture(GL_TEXTURE_2D, textures[blueTexture]);
    glTranslatef(0.0f, bannerY, gridDepth);
    glColor3f(1.0f, 1.0f, 1.0f);
    const float s = bannerScroll;
    glBegin(GL_QUADS);
    glTexCoord2f(-s, 0.0f);
    glVertex3f(-bannerHalfWidth, -bannerHalfHeight, 0.0f);
    glTexCoord2f(1.0f - s, 0.0f);
    glVertex3f(bannerHalfWidth, -bannerHalfHeight, 0.0f);
    glTexCoord2f(1.0f - s, 1.0f);
    glVertex3f(bannerHalfWidth, bannerHalfHeight, 0.0f);
    glTexCoord2f(-s, 1.0f);
    glVertex3f(-bannerHalfWidth, bannerHalfHeight, 0.0f);
    glEnd();
    glPopMatrix();
}

// Where the outcome text starts, by its length: centred under the board.
float OutcomeTextX(GameResult result) {
    if (result == 3) return -0.1f;
    if (!screenFlags.twoPlayerGame) return result == 1 ? -0.25f : -0.6f;
    return -0.4f;
}

// Where a plane facing the eye square on lands in the window: the window point
// of its origin, and the pixels one unit along it makes.
struct PlaneInWindow {
    bool shown = false;
    float x0 = 0, y0 = 0, scaleX = 0, scaleY = 0;
    float X(float x) const { return x0 + scaleX * x; }
    float Y(float y) const { return y0 + scaleY * y; }
};

// The plane the current modelview matrix draws z = 0 in, measured by two raster
// positions close to its middle, which every window shape shows.
PlaneInWindow MeasurePlane() {
    constexpr float step = 0.1f;
    PlaneInWindow plane;
    float x1 = 0, y1 = 0;
    glRasterPos2f(0.0f, 0.0f);
    const bool originShown = RasterPosition(&plane.x0, &plane.y0);
    glRasterPos2f(step, step);
    plane.shown = originShown && RasterPosition(&x1, &y1);
    plane.scaleX = (x1 - plane.x0) / step;
    plane.scaleY = (y1 - plane.y0) / step;
    return plane;
}

// The cells are what the player sees between the grid's lines as drawn; the
// outer ones reach out as far as the board is drawn: to the ends of the lines
// or the edges of the outer marks, whichever is further, and down to the
// banner. The key hint's halves are its text's row, widened by half an em and
// reaching an em down, and up to an em but short of the outcome text above it.
void ShowGameTargets() {
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, gridDepth);
    const PlaneInWindow grid = MeasurePlane();
    glPopMatrix();
    glPushMatrix();
    ApplyMarkEye(0.0f, 0.0f);
    const PlaneInWindow marks = MeasurePlane();
    glPopMatrix();
    if (!grid.shown || !marks.shown) return;

    float firstX = 0, topY = 0, lastX = 0, bottomY = 0;
    CellPosition(0, &firstX, &topY);
    CellPosition(8, &lastX, &bottomY);
    const float columnEdges[4] = {std::min(grid.X(gridLeft), marks.X(firstX - markReach)),
                                  grid.X(gridDown[0]), grid.X(gridDown[1]),
                                  std::max(grid.X(gridRight), marks.X(lastX + markReach))};
    const float rowEdges[4] = {std::max(grid.Y(gridTop), marks.Y(topY + markReach)),
                               grid.Y(gridAcross[0]), grid.Y(gridAcross[1]),
                               grid.Y(bannerY + bannerHalfHeight)};
    for (int32_t cell = 0; cell < 9; ++cell) {
        const int32_t column = cell % 3, row = cell / 3;
        ShowPointerTarget(
            {PointerTargetKind::cell, cell},
            {columnEdges[column], rowEdges[row + 1], columnEdges[column + 1], rowEdges[row]});
    }

    if (!drawnHint.shown) return;
    const float em = -float(smallFontHeight);
    float outcomeBaseline = drawnHint.baseline + 2 * em;
    glRasterPos3f(0.0f, outcomeY, textDepth);
    RasterPosition(nullptr, &outcomeBaseline);
    // The outcome text's descenders reach a quarter of an em below its line.
    const float top = std::min(drawnHint.baseline + em, outcomeBaseline - em / 4);
    const float bottom = drawnHint.baseline - em;
    ShowPointerTarget({PointerTargetKind::reset},
                      {drawnHint.start - em / 2, bottom, drawnHint.split, top});
    ShowPointerTarget({PointerTargetKind::backToMenu},
                      {drawnHint.split, bottom, drawnHint.end + em / 2, top});
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

const char* const hintResetText = "1) Press 'R' to Reset  ";
const char* const hintMenuText = "2) Press ESC to Exit to Menu";

const char* OutcomeText(GameResult result) {
    if (result == 3) return "Tie!";
    if (result != 1 && result != 2) return nullptr;
    if (!screenFlags.twoPlayerGame) return result == 1 ? "You Win!" : "The Computer Wins!";
    const CellValue winner = result == 1 ? markOne : markFive;
    return winner == PlayerOneMark() ? "Player1 Wins!" : "Player2 Wins!";
}

bool OneShowsAsX() { return screenFlags.twoPlayerGame || settings.xoro != 0; }

void DrawResultText(GameResult result) {
    glPushMatrix();
    glColor3f(1.0f, 1.0f, 1.0f);
    glDisable(GL_TEXTURE_2D);
    if (const char* text = OutcomeText(result)) {
        glRasterPos3f(OutcomeTextX(result), outcomeY, textDepth);
        PrintSmall("%s", text);
    }
    // In two pieces, which draw as the whole line does, so that the pointer
    // can tell its halves apart.
    glRasterPos3f(hintX, hintY, textDepth);
    drawnHint.shown = RasterPosition(&drawnHint.start, &drawnHint.baseline);
    PrintSmall("%s", hintResetText);
    RasterPosition(&drawnHint.split, nullptr);
    PrintSmall("%s", hintMenuText);
    RasterPosition(&drawnHint.end, nullptr);
    glEnable(GL_TEXTURE_2D);
    glPopMatrix();
}

void DrawMarks() {
    glDisable(GL_TEXTURE_2D);
    const bool oneIsX = OneShowsAsX();
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
        glVertex2d(markReach * std::cos(angle), markReach * std::sin(angle));
    }
    glEnd();
    EndMark();
}

void DrawX(float x, float y) {
    BeginMark(x, y);
    glBegin(GL_LINES);
    glColor3f(1.0f, 0.0f, 0.0f);
    glVertex2f(-1.0f, markReach);
    glColor3f(0.0f, 1.0f, 0.0f);
    glVertex2f(1.0f, -markReach);
    glColor3f(0.0f, 0.0f, 1.0f);
    glVertex2f(1.0f, markReach);
    glColor3f(0.5f, 0.5f, 0.5f);
    glVertex2f(-1.0f, -markReach);
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
