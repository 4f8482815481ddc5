#pragma once

// The handle types of the game window on Linux: SDL's window and OpenGL context.
// SDL draws through the window itself and knows no program instance, so those
// two handles stay null.
struct SDL_Window;
using WindowHandle = SDL_Window*;
using GlContextHandle = void*; // SDL_GLContext
using DeviceContextHandle = void*;
using InstanceHandle = void*;
