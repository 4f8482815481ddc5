#include "shell/pointer.h"

#include <array>
#include <cstddef>

#include "game/board.h"
#include "game/key_table.h"
#include "game/screen_flags.h"
#include "game/turns.h"
#include "platform/pointer.h"
#include "render/game_scene.h"
#include "render/menus.h"
#include "render/pointer_targets.h"

namespace {

struct PointerState {
    // Where the pointer was last seen, once it has been since the window opened.
    bool placeKnown = false;
    int32_t x = 0, y = 0;
    PointerTarget pressedOn; // what it went down on; none while it is up
    // What its latest action asks for: the highlight or the cursor brought to
    // goal, and, with choose, what Enter or the cell's key then does there.
    PointerTarget goal;
    bool choose = false;
    int32_t* menuScreen = nullptr; // the highlighted row of the screen goal was on
    // The keys pressed for the frame under way, let go before the next one.
    std::array<int, 2> held{};
    std::size_t heldCount = 0;
};
PointerState pointer;

void Press(KeyTable& keys, int key) {
    keys[key] = 1;
    if (pointer.heldCount < pointer.held.size()) pointer.held[pointer.heldCount++] = key;
}

// Only the rows and the cells follow a move; something to be chosen is not
// given up for a move.
void Aim(PointerTarget target, bool choose) {
    if (!choose && (pointer.choose || (target.kind != PointerTargetKind::menuRow &&
                                       target.kind != PointerTargetKind::cell)))
        return;
    pointer.goal = target;
    pointer.choose = choose;
    pointer.menuScreen = HighlightedMenuRow();
}

// One step on a menu screen: Up or Down towards the goal's row, then Enter on
// it. True when there is nothing more to do.
bool StepInMenu(KeyTable& keys) {
    int32_t* row = HighlightedMenuRow();
    // The screen the pointer chose on has gone: a key got there first.
    if (row == nullptr || row != pointer.menuScreen) return true;
    if (*row < pointer.goal.index) {
        Press(keys, vkDown);
    } else if (*row > pointer.goal.index) {
        Press(keys, vkUp);
    } else {
        if (pointer.choose) Press(keys, vkReturn);
        return true;
    }
    return false;
}

// One step on a cell: with the arrow keys, the cursor one step each way
// towards it, then Enter once the cursor has been drawn there (Enter places in
// the cell taken from where it was drawn last); with the keypad, the cell's key.
bool StepToCell(KeyTable& keys) {
    // Only a person to move may point at cells: not while the computer is to
    // move, nor once the game is over.
    if (gameResult != 0 || (!screenFlags.twoPlayerGame && turnFlag != 1)) return true;
    const int32_t cell = pointer.goal.index;
    if (!ArrowKeysInForce()) {
        // The keypad is laid out as the board: 7 8 9 on top, 1 2 3 at the bottom.
        if (pointer.choose) Press(keys, vkNumpad7 + cell % 3 - 3 * (cell / 3));
        return true;
    }
    float x = 0, y = 0;
    CellPosition(cell, &x, &y);
    if (cursor.x != x || cursor.y != y) {
        if (cursor.y < y) Press(keys, vkUp);
        if (cursor.y > y) Press(keys, vkDown);
        if (cursor.x < x) Press(keys, vkRight);
        if (cursor.x > x) Press(keys, vkLeft);
        return false;
    }
    if (!pointer.choose) return true;
    if (cursor.column != cell % 3 || cursor.row != cell / 3) return false;
    Press(keys, vkReturn);
    return true;
}

bool StepInGame(KeyTable& keys) {
    if (screenFlags.inMenu) return true;
    switch (pointer.goal.kind) {
    case PointerTargetKind::reset:
        Press(keys, vkR);
        return true;
    case PointerTargetKind::backToMenu:
        Press(keys, vkEscape);
        return true;
    case PointerTargetKind::cell:
        return StepToCell(keys);
    default:
        return true;
    }
}

} // namespace

void RecordPointer(GameWindow* window, PointerAction action, int32_t x, int32_t y) {
    // The systems also report a pointer at rest (under a window that appears,
    // when the focus changes): only a new place is a move, and the first place
    // seen in a window is where the pointer rests.
    const bool moved = pointer.placeKnown && (x != pointer.x || y != pointer.y);
    pointer.placeKnown = true;
    pointer.x = x;
    pointer.y = y;
    if (action == PointerAction::move && !moved) return;

    // The middle of the pixel, counted from the lower left as the drawing is.
    const PointerTarget target =
        PointerTargetAt(float(x) + 0.5f, float(ClientHeight(window) - y) - 0.5f);
    switch (action) {
    case PointerAction::move:
        Aim(target, false);
        break;
    case PointerAction::press:
        pointer.pressedOn = target;
        Aim(target, false);
        break;
    case PointerAction::release:
        if (target.kind != PointerTargetKind::none && target == pointer.pressedOn)
            Aim(target, true);
        pointer.pressedOn = {};
        break;
    }
}

void StepPointer() {
    if (keyTable == nullptr) return;
    KeyTable& keys = *keyTable;
    for (std::size_t i = 0; i < pointer.heldCount; ++i) keys[pointer.held[i]] = 0;
    pointer.heldCount = 0;
    if (pointer.goal.kind == PointerTargetKind::none) return;
    const bool done =
        pointer.goal.kind == PointerTargetKind::menuRow ? StepInMenu(keys) : StepInGame(keys);
    if (done) {
        pointer.goal = {};
        pointer.choose = false;
    }
}

void ForgetPointer() { pointer = PointerState{}; }
