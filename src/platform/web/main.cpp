#include "shell/main_loop.h"

// The page starts the game once its folder and pictures are in place (start.js).
int main() { return RunGame(nullptr); }
