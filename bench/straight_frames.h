#pragma once

#include <GL/gl.h>

// The menu and game pictures of frame_bench drawn by straight-line code: the
// same OpenGL calls as the game's frame, written out one after the other with
// the picture's numbers and texts as constants. No game state, no menu tables,
// no text formatting: what the game's own code costs is the difference.
// textures are the game's five texture names; the bases are the font lists'; w
// and h the viewport's size in pixels.
void StraightMenuFrame(const GLuint* textures, GLuint largeFontBase, float w, float h);

// The game frame of frame_bench's board (X, O / X / O, no result, the cursor
// on the top middle cell), with the banner scrolled by bannerScroll.
void StraightGameFrame(const GLuint* textures, GLuint smallFontBase, float bannerScroll, float w,
                       float h);
