#pragma once

// The size last given to the projection, in pixels (a height of 0 counts as 1).
// The menus place their rows by it and the large font picks its height by it.
extern float viewportWidth;
extern float viewportHeight;
