#pragma once

#include <cstdint>

// Sets the viewport at the lower left of the window and the projection of the
// screen shown: one unit per pixel from the top left in a menu, a 45 degree
// perspective in a game. Leaves the modelview matrix at identity. Without a
// current context it only records the size.
void SetProjection(int32_t width, int32_t height);
