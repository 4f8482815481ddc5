#include "bare_gl_window.h"

#include <cstdio>

namespace {

// The game's start-up window size: the desktop less 56 pixels of height.
SDL_Point StartUpSize() {
    SDL_DisplayMode desktop{};
    SDL_GetDesktopDisplayMode(0, &desktop);
    return {desktop.w, desktop.h - 56};
}

} // namespace

SDL_Window* OpenBareWindow(const char* name) {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "%s: %s\n", name, SDL_GetError());
        return nullptr;
    }
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 6);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    const SDL_Point size = StartUpSize();
    SDL_Window* window =
        SDL_CreateWindow(name, 0, 0, size.x, size.y, SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    if (!window || !SDL_GL_CreateContext(window)) {
        std::fprintf(stderr, "%s: %s\n", name, SDL_GetError());
        return nullptr;
    }
    return window;
}

int PresentUntilQuit(SDL_Window* window, void (*drawFrame)(float width, float height)) {
    const SDL_Point size = StartUpSize();
    for (bool running = true; running;) {
        SDL_Event event;
        while (SDL_PollEvent(&event))
            if (event.type == SDL_QUIT) running = false;
        drawFrame(float(size.x), float(size.y));
        SDL_GL_SwapWindow(window);
    }
    SDL_GL_DeleteContext(SDL_GL_GetCurrentContext());
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
