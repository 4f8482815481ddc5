#include "render/draw_frame.h"

#include <GL/gl.h>

void DrawFrame() { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }
