#include "game/outcome.h"
#include "game_fixture.h"

std::vector<WinLineCall> winLineCalls;

void DrawWinLine(uint8_t vertical, uint8_t diagonal, float offset) {
    winLineCalls.push_back({vertical, diagonal, offset});
}
