#pragma once

#include <SDL2/SDL.h>

#include <array>
#include <cstdint>

// A small shown window with a current OpenGL compatibility context, for tests
// that draw and read the pixels back. Throws when there is no display: a GL
// test without one fails, it does not skip.
class GlWindow {
  public:
    GlWindow(int width, int height);
    ~GlWindow();
    GlWindow(const GlWindow&) = delete;
    GlWindow& operator=(const GlWindow&) = delete;

    // The colour at window pixel (x, y), counted from the lower left, of the
    // buffer being drawn.
    std::array<uint8_t, 3> PixelAt(int x, int y) const;

  private:
    void Release();

    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
};
