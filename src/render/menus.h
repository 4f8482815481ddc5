#pragma once

#include <cstdint>
#include <string>

// The four menu screens: the main menu and the AI, Multiplayer and Global
// Options. Draws the one screenFlags selects over the menu picture, then acts on
// Up, Down and Enter. A change made by a key shows from the next frame on.
void DrawMenuFrame();

// The highlighted row of the menu screen shown, which stands for that screen;
// null while a game is shown.
int32_t* HighlightedMenuRow();

// The text of a row of the menu screen screenFlags selects, as drawn; empty
// for a row it does not have.
std::string MenuRowText(int32_t row);

// How "Exit" on the main menu ends the program; set by the window layer.
using QuitRequest = void (*)();
extern QuitRequest quitRequest;
