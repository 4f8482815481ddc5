#include "shell/projection.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL2/SDL.h>

#include "game/screen_flags.h"
#include "render/viewport.h"

void SetProjection(int32_t width, int32_t height) {
    if (height == 0) height = 1;
    // Size events can come before the window has its context; the size is still
    // recorded, and set again once the context is current.
    if (SDL_GL_GetCurrentContext()) {
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
