#pragma once

// The handle types of the game window in the browser: the window is the page's
// canvas, known by its element id, and the OpenGL context is a WebGL context of
// emscripten's html5.h. The page has no device context and no program instance,
// so those two handles stay null.
using WindowHandle = const char*; // the canvas's CSS selector while it is in the page
using GlContextHandle = void*;    // an EMSCRIPTEN_WEBGL_CONTEXT_HANDLE, as a pointer
using DeviceContextHandle = void*;
using InstanceHandle = void*;
