#include "shell/projection.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "game/screen_flags.h"
#include "platform/window.h"
#include "render/viewport.h"

void SetProjection(int32_t width, int32_t height) {
    if (height == 0) height = 1;
    // Size messages can come before the window has its context; the size is
    // still recorded, and set again once the context is current.
    if (GlContextIsCurrent()) {
        glViewport(0, 0, width, height);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        if (screenFlags.inMenu)
            glOrtho(0, width, height, 0, -1, 1);
        else
            gluPerspective(45, static_cast<float>(width) / static_cast<float>(height), 1, 300);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }
    viewportWidth = static_cast<float>(width);
    viewportHeight = static_cast<float>(height);
}
