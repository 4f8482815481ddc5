#include <emscripten.h>

#include "shell/main_loop.h"

namespace {

// "Exit", or the end of the game however it came: the page says so and offers
// to start again.
// clang-format off
EM_JS(void, ShowGameEnded, (int exitCode), { kelmotPage.gameEnded(exitCode); });
// clang-format on

} // namespace

// The page starts the game once its folder and pictures are in place
// (page/start.js).
int main() {
    const int32_t exitCode = RunGame(nullptr);
    ShowGameEnded(exitCode);
    return exitCode;
}
