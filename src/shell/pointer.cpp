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
#include "shell/window_messages.h"

namespace {

struct PointerState {
    // Where the pointer was last seen, once it has been since the window opened.
    bool placeKnown = false;
    float x = 0, y = 0;
    PointerTarget pressedOn;          // what it went down on; none while it is up
    int32_t* pressedScreen = nullptr; // the highlighted row of the menu it went down on
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

void Press(GameWindow* window, int key) {
    if (pointer.heldCount == pointer.held.size()) return;
    pointer.held[pointer.heldCount++] = key;
    RecordKey(window, KeySource::pointer, uint32_t(key), 1);
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
bool StepInMenu(GameWindow* window) {
    int32_t* row = HighlightedMenuRow();
    // The screen the pointer chose on has gone: a key got there first.
    if (row == nullptr || row != pointer.menuScreen) return true;
    if (*row < pointer.goal.index) {
        Press(window, vkDown);
    } else if (*row > pointer.goal.index) {
        Press(window, vkUp);
    } else {
        if (pointer.choose) Press(window, vkReturn);
        return true;
    }
    return false;
}

// One step on a cell: with the arrow keys, the cursor one step each way
// towards it, then Enter once the cursor has been drawn there (Enter places in
// the cell taken from where it was drawn last); with the keypad, the cell's key.
bool StepToCell(GameWindow* window) {
    // Only a person to move may point at cells: not while the computer is to
    // move, nor once the game is over.
    if (gameResult != 0 || (!screenFlags.twoPlayerGame && turnFlag != 1)) return true;
    const int32_t cell = pointer.goal.index;
    if (!ArrowKeysInForce()) {
        // The keypad is laid out as the board: 7 8 9 on top, 1 2 3 at the bottom.
        if (pointer.choose) Press(window, vkNumpad7 + cell % 3 - 3 * (cell / 3));
        return true;
    }
    float x = 0, y = 0;
    CellPosition(cell, &x, &y);
    if (cursor.x != x || cursor.y != y) {
        if (cursor.y < y) Press(window, vkUp);
        if (cursor.y > y) Press(window, vkDown);
        if (cursor.x < x) Press(window, vkRight);
        if (cursor.x > x) Press(window, vkLeft);
        return false;
    }
    if (!pointer.choose) return true;
    if (cursor.column != cell % 3 || cursor.row != cell / 3) return false;
    Press(window, vkReturn);
    return true;
}

bool StepInGame(GameWindow* window) {
    if (screenFlags.inMenu) return true;
    switch (pointer.goal.kind) {
    case PointerTargetKind::reset:
        Press(window, vkR);
        return true;
    case PointerTargetKind::backToMenu:
        Press(window, vkEscape);
        return true;
    case PointerTargetKind::cell:
        return StepToCell(window);
    default:
        return true;
    }
}

} // namespace

void RecordPointer(GameWindow*, PointerAction action, float x, float y) {
    if (action == PointerAction::cancel) {
        pointer.pressedOn = {};
        return;
    }
    // The systems also report a pointer at rest (under a window that appears,
    // when the focus changes): only a new place is a move, and the first place
    // seen in a window is where the pointer rests.
    const bool moved = pointer.placeKnown && (x != pointer.x || y != pointer.y);
    pointer.placeKnown = true;
    pointer.x = x;
    pointer.y = y;
    if (action == PointerAction::move && !moved) return;

    const PointerTarget target = PointerTargetAt(x, y);
    switch (action) {
    case PointerAction::move:
        Aim(target, false);
        break;
    case PointerAction::press:
        pointer.pressedOn = target;
        pointer.pressedScreen = HighlightedMenuRow();
        Aim(target, false);
        break;
    case PointerAction::release:
        if (target.kind != PointerTargetKind::none && target == pointer.pressedOn)
            Aim(target, true);
        pointer.pressedOn = {};
        break;
    case PointerAction::cancel:
        break;
    }
}

void StepPointer(GameWindow* window) {
    if (window->keyTable == nullptr) return;
    for (std::size_t i = 0; i < pointer.heldCount; ++i)
        RecordKey(window, KeySource::pointer, uint32_t(pointer.held[i]), 0);
    pointer.heldCount = 0;
    // A press is a choice only on the screen it was made on: another screen
    // shown since (a key got there first) is not chosen by its release.
    if (HighlightedMenuRow() != pointer.pressedScreen) pointer.pressedOn = {};
    if (pointer.goal.kind == PointerTargetKind::none) return;
    const bool done =
        pointer.goal.kind == PointerTargetKind::menuRow ? StepInMenu(window) : StepInGame(window);
    if (done) {
        pointer.goal = {};
        pointer.choose = false;
    }
}

void ForgetPointer() {
    pointer = PointerState{};
    ForgetPointerTargets();
}
