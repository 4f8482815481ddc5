#pragma once

// The handle types of the game window on Windows, declared as <windows.h>
// declares them, so that shared code can hold them without including it.
struct HWND__;
struct HDC__;
struct HGLRC__;
struct HINSTANCE__;
using WindowHandle = HWND__*;
using DeviceContextHandle = HDC__*;
using GlContextHandle = HGLRC__*;
using InstanceHandle = HINSTANCE__*;
