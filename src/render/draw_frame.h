#pragma once

// Draws one frame of whichever screen is shown into the current context.
void DrawFrame();
