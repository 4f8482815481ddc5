#include "support/gl_window.h"

#include <GL/gl.h>

#include <stdexcept>
#include <string>

GlWindow::GlWindow(int width, int height) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        throw std::runtime_error(std::string("no display for a GL test: ") + SDL_GetError());
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    window = SDL_CreateWindow("Kelmot test", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                              width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    if (window) context = SDL_GL_CreateContext(window);
    if (!context) {
        const std::string error = SDL_GetError();
        Release();
        throw std::runtime_error("no OpenGL window for a GL test: " + error);
    }
    glViewport(0, 0, width, height);
}

GlWindow::~GlWindow() { Release(); }

void GlWindow::Release() {
    if (context) SDL_GL_DeleteContext(context);
    if (window) SDL_DestroyWindow(window);
    context = nullptr;
    window = nullptr;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

std::array<uint8_t, 3> GlWindow::PixelAt(int x, int y) const {
    std::array<uint8_t, 3> rgb{};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}
