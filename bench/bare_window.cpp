// The least a program can do to show an OpenGL frame with SDL: start video, open
// a window of the game's start-up size with the game's drawing surface, make a
// context, clear and present, and go on presenting cleared frames until it is
// ended. session_bench measures the real game against it.

#include <GL/gl.h>
#include <SDL2/SDL.h>

#include <cstdio>

int main() {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "bare_window: %s\n", SDL_GetError());
        return 1;
    }
    // What the game asks for at its default 16-bit depth.
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 6);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_DisplayMode desktop{};
    SDL_GetDesktopDisplayMode(0, &desktop);
    SDL_Window* window = SDL_CreateWindow("bare", 0, 0, desktop.w, desktop.h - 56,
                                          SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
    if (!context) {
        std::fprintf(stderr, "bare_window: %s\n", SDL_GetError());
        return 1;
    }
    for (bool running = true; running;) {
        SDL_Event event;
        while (SDL_PollEvent(&event))
            if (event.type == SDL_QUIT) running = false;
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        SDL_GL_SwapWindow(window);
    }
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
