#include "game/board.h"

Board board{};
TurnFlag turnFlag = 1;
GameResult gameResult = 0;
Cursor cursor;
float bannerScroll = 0.0f;
uint8_t openingMovePending = 1;

bool BoardFull() {
    for (CellValue cell : board)
        if (cell == emptyCell) return false;
    return true;
}
