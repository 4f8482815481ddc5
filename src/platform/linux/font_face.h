#pragma once

// The face of the game's fonts is looked for once per process. This lets it go,
// so that the next font build looks for it again (after the fonts on the system
// have changed).
void ForgetGlyphFace();
