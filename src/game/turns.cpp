#include "game/turns.h"

#include "game/board.h"
#include "game/key_table.h"
#include "game/screen_flags.h"
#include "settings/settings.h"

namespace {

// The keypad keys in the order they are examined, which is also the order of the
// cells they stand for: the keypad's top row is the board's top row.
constexpr int keypadKeys[9] = {vkNumpad7, vkNumpad8, vkNumpad9, vkNumpad4, vkNumpad5,
                               vkNumpad6, vkNumpad1, vkNumpad2, vkNumpad3};

CellValue MarkOfPlayerToMove() {
    if (turnFlag == 1) return PlayerOneMark();
    return PlayerOneMark() == markOne ? markFive : markOne;
}

// Each key is looked at once per frame; a key held against the edge of the board
// stays set and acts as soon as the cursor has moved away from that edge.
void MoveCursor(KeyTable& keys) {
    if (keys[vkUp] && cursor.y != 5.0f) {
        cursor.y += 4.0f;
        keys[vkUp] = 0;
    }
    if (keys[vkDown] && cursor.y != -3.0f) {
        cursor.y -= 4.0f;
        keys[vkDown] = 0;
    }
    if (keys[vkLeft] && cursor.x != -5.0f) {
        cursor.x -= 5.0f;
        keys[vkLeft] = 0;
    }
    if (keys[vkRight] && cursor.x != 5.0f) {
        cursor.x += 5.0f;
        keys[vkRight] = 0;
    }
}

// Enter places the mark in the cursor cell. Enter is used up even when the cell is
// taken.
void PlaceWithEnter(KeyTable& keys, CellValue mark) {
    CellValue& cell = board[cursor.row * 3 + cursor.column];
    if (cell == emptyCell) {
        cell = mark;
        turnFlag = turnFlag ? 0 : 1;
    }
    keys[vkReturn] = 0;
}

// Only the first keypad key found down counts. A key on a taken cell stays set and
// blocks the keys after it until it is released.
void PlaceWithKeypad(KeyTable& keys, CellValue mark) {
    for (int cellIndex = 0; cellIndex < 9; ++cellIndex) {
        const int key = keypadKeys[cellIndex];
        if (!keys[key]) continue;
        if (board[cellIndex] == emptyCell) {
            board[cellIndex] = mark;
            keys[key] = 0;
            turnFlag = turnFlag ? 0 : 1;
        }
        return;
    }
}

void MakeMoves(KeyTable& keys) {
    // The scheme is chosen once: after one player's mark the other player's keys
    // wait for the next frame.
    const bool arrows = ArrowKeysInForce();
    if (arrows) MoveCursor(keys);

    if (!screenFlags.twoPlayerGame) {
        // Against the computer the person may only move on their own turn, and a
        // refused key is kept for when it is.
        if (turnFlag == 1 && gameResult == 0) {
            if (!arrows)
                PlaceWithKeypad(keys, markOne);
            else if (keys[vkReturn])
                PlaceWithEnter(keys, markOne);
        }
    } else if (gameResult == 0) {
        const CellValue mark = MarkOfPlayerToMove();
        if (!arrows)
            PlaceWithKeypad(keys, mark);
        else if (keys[vkReturn])
            PlaceWithEnter(keys, mark);
    }
}

} // namespace

CellValue PlayerOneMark() {
    // In a two-player game value 1 belongs to whoever has the X's.
    if (screenFlags.twoPlayerGame) return settings.player1xoro != 0 ? markOne : markFive;
    return markOne;
}

bool PlayerOneMovesFirst() {
    if (screenFlags.twoPlayerGame) return settings.whofirst == 0;
    return settings.gofirst != 0;
}

bool ArrowKeysInForce() {
    if (!screenFlags.twoPlayerGame) return settings.controls != 0;
    return (turnFlag == 1 ? settings.player1controls : settings.player2controls) != 0;
}

void UpdateFrame(uint32_t elapsedMs) {
    if (screenFlags.inMenu || keyTable == nullptr) return;
    KeyTable& keys = *keyTable;

    // Neither key is cleared: R resets again on every frame it is held, and the
    // moves below act on the fresh game.
    if (keys[vkEscape]) {
        screenFlags.inMenu = 1;
        ResetGame();
    }
    if (keys[vkR]) ResetGame();

    // Back in the menu there is no move to make: an Enter or keypad press in the
    // same frame must not put a mark on the next game's empty board.
    if (!screenFlags.inMenu) MakeMoves(keys);

    bannerScroll += static_cast<float>(elapsedMs) * 0.0001f;
}

void ResetGame() {
    cursor = Cursor{};
    gameResult = 0;
    board.fill(emptyCell);
    openingMovePending = 1;
    turnFlag = PlayerOneMovesFirst();
}

int32_t CellUnderCursor() {
    const int32_t column = cursor.x < 0.0f ? 0 : cursor.x == 0.0f ? 1 : 2;
    const int32_t row = cursor.y < 1.0f ? 2 : cursor.y == 1.0f ? 1 : 0;
    return row * 3 + column;
}

void DeriveCursorCell() {
    const int32_t cell = CellUnderCursor();
    cursor.column = cell % 3;
    cursor.row = cell / 3;
}

void StartGame(uint8_t twoPlayers) {
    screenFlags.twoPlayerGame = twoPlayers;
    screenFlags.inMenu = 0;
    turnFlag = PlayerOneMovesFirst();
}
