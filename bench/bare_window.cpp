// The least a program can do to show an OpenGL frame with SDL: a window of the
// game's start-up size with the game's drawing surface, a context, and cleared
// frames until it is ended. session_bench measures the real game against it.

#include <GL/gl.h>

#include "bare_gl_window.h"

int main() {
    SDL_Window* window = OpenBareWindow("bare_window");
    if (!window) return 1;
    return PresentUntilQuit(
        window, [](float, float) { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); });
}
