#include "render/menus.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "game/key_table.h"
#include "game/screen_flags.h"
#include "game/turns.h"
#include "render/fonts.h"
#include "render/pointer_targets.h"
#include "render/textures.h"
#include "render/viewport.h"
#include "settings/prefs_file.h"

QuitRequest quitRequest = nullptr;

namespace {

// One row of a menu: its text (a format with at most one "%s"), where it
// stands (x = W / divisor, y = base + step * H / 10), the text for "%s", and
// what Enter does on it.
struct MenuRow {
    const char* format;
    float divisor;
    float step;
    const char* (*value)();
    void (*choose)();
};

struct MenuScreen {
    const MenuRow* rows;
    int32_t lastRow;
    float baseDivisor; // base = H / baseDivisor
    int32_t* row;      // the highlighted row
};

// The option screens show a value's text by testing it for 1, and a toggle sets
// it to 1 only when it was 0.
const char* Choice(int32_t value, const char* one, const char* other) {
    return value == 1 ? one : other;
}
void Toggle(int32_t& value) { value = value == 0 ? 1 : 0; }

// "Done" keeps the options in prefs.txt, whether or not any changed, and goes
// back to the main menu on the row that opened the screen.
void Done(uint8_t& screenOpen, int32_t& row) {
    SavePreferences(settings);
    row = 0;
    screenOpen = 0;
}

constexpr MenuRow mainMenuRows[] = {
    {"New Game VS. Computer", 3.3f, -0.5f, nullptr, [] { StartGame(0); }},
    {"New Two Player Game", 3.0f, 1.0f, nullptr, [] { StartGame(1); }},
    {"Multiplayer Options", 2.9f, 2.5f, nullptr, [] { screenFlags.multiplayerOptionsOpen = 1; }},
    {"Global Options", 2.6f, 4.0f, nullptr, [] { screenFlags.globalOptionsOpen = 1; }},
    {"AI Options", 2.35f, 5.5f, nullptr, [] { screenFlags.aiOptionsOpen = 1; }},
    {"Exit", 2.1f, 7.0f, nullptr,
     [] {
         if (quitRequest) quitRequest();
     }},
};

constexpr MenuRow aiOptionsRows[] = {
    {"Player Has First Turn: %s", 3.7f, 0.0f,
     [] { return Choice(settings.gofirst, "TRUE", "FALSE"); }, [] { Toggle(settings.gofirst); }},
    {"Player Has The: %s", 2.8f, 1.5f, [] { return Choice(settings.xoro, "X's", "O's"); },
     [] { Toggle(settings.xoro); }},
    {"The Controls Are: %s", 3.7f, 3.0f,
     [] { return Choice(settings.controls, "The Arrow Keys", "The Keypad"); },
     [] { Toggle(settings.controls); }},
    {"Done", 2.05f, 4.5f, nullptr, [] { Done(screenFlags.aiOptionsOpen, screenFlags.aiRow); }},
};

constexpr MenuRow multiplayerOptionsRows[] = {
    {"Which Player Has First Turn: %s", 4.1f, 0.0f,
     [] { return Choice(settings.whofirst, "Player2", "Player1"); },
     [] { Toggle(settings.whofirst); }},
    {"Player1 Has The: %s", 2.8f, 1.5f, [] { return Choice(settings.player1xoro, "X's", "O's"); },
     [] { Toggle(settings.player1xoro); }},
    {"Player1's Controls Are: %s", 4.2f, 3.0f,
     [] { return Choice(settings.player1controls, "The Arrow Keys", "The Keypad"); },
     [] { Toggle(settings.player1controls); }},
    {"Player2's Controls Are: %s", 5.0f, 4.5f,
     [] { return Choice(settings.player2controls, "The Arrow Keys", "The Keypad"); },
     [] { Toggle(settings.player2controls); }},
    {"Done", 2.05f, 6.0f, nullptr,
     [] { Done(screenFlags.multiplayerOptionsOpen, screenFlags.multiplayerRow); }},
};

constexpr MenuRow globalOptionsRows[] = {
    {"Show Configuration Panel At Start: %s", 5.5f, 1.5f,
     [] { return Choice(settings.configpanel, "TRUE", "FALSE"); },
     [] { Toggle(settings.configpanel); }},
    {"Done", 2.05f, 3.0f, nullptr,
     [] { Done(screenFlags.globalOptionsOpen, screenFlags.globalRow); }},
};

// The screen screenFlags selects; the option flags are looked at in this order.
MenuScreen CurrentScreen() {
    if (screenFlags.aiOptionsOpen) return {aiOptionsRows, 3, 4.0f, &screenFlags.aiRow};
    if (screenFlags.multiplayerOptionsOpen)
        return {multiplayerOptionsRows, 4, 4.0f, &screenFlags.multiplayerRow};
    if (screenFlags.globalOptionsOpen) return {globalOptionsRows, 1, 4.0f, &screenFlags.globalRow};
    return {mainMenuRows, 5, 4.5f, &screenFlags.mainMenuRow};
}

// The menu picture over the whole viewport, upright in the menu projection,
// whose y grows downwards.
void DrawMenuBackground(float w, float h) {
    glPushMatrix();
    glBegin(GL_QUADS);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(w, 0.0f, 0.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(0.0f, h, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(w, h, 0.0f);
    glEnd();
    glPopMatrix();
}

// Where a row's text was drawn, in window coordinates: along its baseline
// from left to right; not shown when its place lies outside the view.
struct DrawnRow {
    bool shown = false;
    float left = 0, right = 0, baseline = 0;
};

// Each row answers the pointer over its text, widened by half an em to either
// side, and from half way to the row above to half way to the row below (the
// rows stand evenly apart), centred on the capitals, a third of an em above
// the baseline.
void ShowRowTargets(const DrawnRow* rows, int32_t count) {
    const float em = float(std::abs(largeFontHeight));
    const float pitch = std::fabs(rows[1].baseline - rows[0].baseline);
    for (int32_t i = 0; i < count; ++i) {
        if (!rows[i].shown) continue;
        const float middle = rows[i].baseline + em / 3;
        ShowPointerTarget({PointerTargetKind::menuRow, i},
                          {rows[i].left - em / 2, middle - pitch / 2, rows[i].right + em / 2,
                           middle + pitch / 2});
    }
}

void DrawRows(const MenuScreen& screen, float w, float h) {
    DrawnRow drawn[std::size(mainMenuRows)]; // the screen with the most rows
    glPushMatrix();
    glDisable(GL_TEXTURE_2D);
    glColor3f(1.0f, 1.0f, 1.0f);
    glTranslatef(0.0f, 0.0f, 1.0f); // in front of the picture
    const float base = h / screen.baseDivisor;
    for (int32_t i = 0; i <= screen.lastRow; ++i) {
        const MenuRow& row = screen.rows[i];
        // The raster position takes the colour current when it is set.
        if (i == *screen.row)
            glColor3f(1.0f, 1.0f, 0.0f);
        else
            glColor3f(1.0f, 1.0f, 1.0f);
        glRasterPos2f(w / row.divisor, base + row.step * h / 10.0f);
        drawn[i].shown = RasterPosition(&drawn[i].left, &drawn[i].baseline);
        PrintLarge(row.format, row.value ? row.value() : "");
        RasterPosition(&drawn[i].right, nullptr);
    }
    ShowRowTargets(drawn, screen.lastRow + 1);
    glColor3f(1.0f, 1.0f, 1.0f);
    glPopMatrix();
    glEnable(GL_TEXTURE_2D);
    glColor3f(1.0f, 1.0f, 1.0f);
}

// Up and Down move the highlight without wrapping; a key that cannot move it
// stays set. Enter acts on the row as moved.
void HandleMenuKeys(const MenuScreen& screen) {
    if (!keyTable) return;
    KeyTable& keys = *keyTable;
    int32_t& row = *screen.row;
    if (keys[vkUp] && row != 0) {
        --row;
        keys[vkUp] = 0;
    }
    if (keys[vkDown] && row != screen.lastRow) {
        ++row;
        keys[vkDown] = 0;
    }
    if (keys[vkReturn]) {
        // Cleared first, so the press does not act again on the screen it opens.
        keys[vkReturn] = 0;
        screen.rows[row].choose();
    }
}

} // namespace

std::string MenuRowText(int32_t row) {
    const MenuScreen screen = CurrentScreen();
    if (row < 0 || row > screen.lastRow) return {};
    const MenuRow& shown = screen.rows[row];
    char text[128];
    std::snprintf(text, sizeof text, shown.format, shown.value ? shown.value() : "");
    return text;
}

int32_t* HighlightedMenuRow() { return screenFlags.inMenu ? CurrentScreen().row : nullptr; }

void DrawMenuFrame() {
    const MenuScreen screen = CurrentScreen();
    const float w = viewportWidth;
    const float h = viewportHeight;
    // A game frame may have left blending on; the menus look the same whatever
    // came before them.
    glDisable(GL_BLEND);
    glLoadIdentity();
    glBindTexture(GL_TEXTURE_2D, textures[screenTexture]);
    DrawMenuBackground(w, h);
    DrawRows(screen, w, h);
    HandleMenuKeys(screen);
    // A key that opened another screen or started a game has made the rows
    // just drawn stale: the pointer finds nothing until the next frame.
    if (HighlightedMenuRow() != screen.row) ForgetPointerTargets();
}
