// The game window on Windows: its class, the window with its pixel format and
// OpenGL context, and in full screen a display mode of its own.

#include <windows.h>

#include <mmsystem.h>

#include <cstddef>
#include <cstring>

#include "platform/messages.h"
#include "platform/win32/window_procedure.h"
#include "platform/window.h"
#include "render/error_report.h"
#include "shell/main_loop.h"
#include "shell/window_messages.h"

void ScreenSize(int32_t* width, int32_t* height) {
    *width = GetSystemMetrics(SM_CXSCREEN);
    *height = GetSystemMetrics(SM_CYSCREEN);
}

// The system's DPI, which the taskbar and the captions are drawn at: the game
// counts the screen's real pixels (see kelmot.manifest).
int32_t ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

// The work area Windows leaves beside its taskbar: the rows less the caption
// and frame of the game's window, the columns whole (a window as wide as the
// screen has always hung its side borders off it).
void WindowRoom(int32_t* width, int32_t* height) {
    *width = 0;
    *height = 0;
    RECT work;
    RECT frame{0, 0, 0, 0};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0) ||
        !AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_APPWINDOW))
        return;
    *width = work.right - work.left;
    *height = (work.bottom - work.top) - (frame.bottom - frame.top);
}

int32_t RegisterGameClass(WindowClassInfo* classInfo) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = HandleWindowMessage;
    windowClass.hInstance = classInfo->instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_INACTIVEBORDER + 1);
    windowClass.lpszClassName = classInfo->name;
    if (RegisterClassExA(&windowClass) == 0) {
        ReportError("RegisterClassEx Failed!", ReportOwner::none);
        return 0;
    }
    return 1;
}

void UnregisterGameClass(WindowClassInfo* classInfo) {
    UnregisterClassA(classInfo->name, classInfo->instance);
}

namespace {

// Set while the full-screen window is minimised because the player switched to
// another program, and the desktop has its display mode back meanwhile.
bool desktopModeLent = false;

// Changes the display to width x height at bits per pixel for as long as the
// program runs, or until ChangeDisplaySettingsA(nullptr, 0). 1 on success.
int32_t SwitchDisplayMode(int32_t width, int32_t height, int32_t bits) {
    DEVMODEA mode{};
    // The record's first 148 bytes, the form without the panning fields.
    mode.dmSize = offsetof(DEVMODEA, dmPanningWidth);
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    mode.dmBitsPerPel = static_cast<DWORD>(bits);
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    return ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL ? 1 : 0;
}

// The full-screen window goes behind the program in front, minimised, and the
// desktop has its display mode back until the player returns to the game.
void LendDesktopMode(HWND shown) {
    // First, so that the display change the restore sends is known as ours.
    desktopModeLent = true;
    ShowWindow(shown, SW_SHOWMINNOACTIVE);
    ChangeDisplaySettingsA(nullptr, 0);
}

// The game's display mode cannot be had (again): the game goes on in a window,
// as when the first switch fails. The display stays as it is now: the desktop's
// own mode, or one another program set.
void FullScreenLost(GameWindow* window) {
    desktopModeLent = false;
    ShowCursor(TRUE);
    window->fullscreenMode = 0;
    nextFullscreen = 0;
    // Told first: the end of the pass would close the box at once.
    ReportError("Mode Switch Failed.\nRunning In Windowed Mode.", ReportOwner::none);
    PostEndOfPass(window);
}

// Undoes a failed opening in reverse order, the display mode and the pointer
// included, and returns 0.
int32_t AbandonWindow(GameWindow* window) {
    if (window->glContext) wglDeleteContext(window->glContext);
    window->glContext = nullptr;
    if (window->deviceContext) ReleaseDC(window->window, window->deviceContext);
    window->deviceContext = nullptr;
    if (window->window) DestroyWindow(window->window);
    window->window = nullptr;
    if (window->fullscreenMode != 0) {
        ChangeDisplaySettingsA(nullptr, 0);
        ShowCursor(TRUE);
    }
    timeEndPeriod(1);
    return 0;
}

// Frames at the display's pace: the swap waits for it, adaptively (a late frame
// is shown at once) where the driver offers WGL_EXT_swap_control_tear. Where
// the swap cannot wait, the window loop paces the frames itself, at the
// display's refresh rate.
void AskForDisplayPace(GameWindow* window) {
    using SwapInterval = BOOL(WINAPI*)(int);
    using ExtensionsOf = const char*(WINAPI*)(HDC);
    const auto function = [](const char* name) {
        return reinterpret_cast<void (*)()>(wglGetProcAddress(name));
    };
    if (const auto swapInterval = reinterpret_cast<SwapInterval>(function("wglSwapIntervalEXT"))) {
        const auto extensionsOf =
            reinterpret_cast<ExtensionsOf>(function("wglGetExtensionsStringARB"));
        const char* extensions = extensionsOf ? extensionsOf(window->deviceContext) : nullptr;
        const bool adaptive =
            extensions != nullptr && std::strstr(extensions, "WGL_EXT_swap_control_tear");
        if (!adaptive || !swapInterval(-1)) swapInterval(1);
    }
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    // 0 and 1 stand for the hardware's default rate.
    const bool known =
        EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode) && mode.dmDisplayFrequency > 1;
    SetRefreshRate(&window->pace, known ? int32_t(mode.dmDisplayFrequency) : 0);
}

} // namespace

int32_t OpenGameWindow(GameWindow* window) {
    timeBeginPeriod(1);
    desktopModeLent = false;

    PIXELFORMATDESCRIPTOR format{};
    format.nSize = sizeof format;
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = static_cast<BYTE>(window->colourBits);
    format.cDepthBits = 16;
    format.iLayerType = PFD_MAIN_PLANE;

    RECT rectangle{0, 0, window->width, window->height};
    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD extendedStyle = WS_EX_APPWINDOW;
    if (window->fullscreenMode == 1) {
        if (SwitchDisplayMode(window->width, window->height, window->colourBits) == 1) {
            style = WS_POPUP;
            extendedStyle = WS_EX_APPWINDOW | WS_EX_TOPMOST;
            ShowCursor(FALSE);
        } else {
            // A window of the requested outer size, unadjusted.
            ReportError("Mode Switch Failed.\nRunning In Windowed Mode.", ReportOwner::none);
            window->fullscreenMode = 0;
        }
    } else {
        // The client area gets the requested size.
        AdjustWindowRectEx(&rectangle, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_APPWINDOW);
    }

    // The window procedure keeps the record from WM_CREATE on.
    window->window =
        CreateWindowExA(extendedStyle, window->classInfo->name, window->windowTitle, style, 0, 0,
                        rectangle.right - rectangle.left, rectangle.bottom - rectangle.top, nullptr,
                        nullptr, window->classInfo->instance, window);
    if (!window->window) return AbandonWindow(window);
    window->deviceContext = GetDC(window->window);
    if (!window->deviceContext) return AbandonWindow(window);
    const int pixelFormat = ChoosePixelFormat(window->deviceContext, &format);
    if (pixelFormat == 0 || !SetPixelFormat(window->deviceContext, pixelFormat, &format))
        return AbandonWindow(window);
    window->glContext = wglCreateContext(window->deviceContext);
    if (!window->glContext || !wglMakeCurrent(window->deviceContext, window->glContext))
        return AbandonWindow(window);
    AskForDisplayPace(window);

    // Maximised in every mode; the size message it sends sets the projection.
    ShowWindow(window->window, SW_SHOWMAXIMIZED);
    // After a mode toggle the window closed was the foreground, and the new one
    // may not become it by being shown: Windows gives it when asked, to a
    // program that may still take it.
    SetForegroundWindow(window->window);
    WindowOpened(window);
    // Windows refuses the foreground to a program that did not have the last
    // input (the toggle came from another program, the player clicked
    // elsewhere meanwhile): the program in front keeps it and the desktop's mode.
    if (window->fullscreenMode == 1 && GetForegroundWindow() != window->window)
        LendDesktopMode(window->window);
    return 1;
}

int32_t CloseGameWindow(GameWindow* window) {
    if (window->window) {
        if (window->deviceContext) wglMakeCurrent(window->deviceContext, nullptr);
        if (window->glContext) {
            wglDeleteContext(window->glContext);
            window->glContext = nullptr;
        }
        if (window->deviceContext) {
            ReleaseDC(window->window, window->deviceContext);
            window->deviceContext = nullptr;
        }
        DestroyWindow(window->window);
        window->window = nullptr;
    }
    if (window->fullscreenMode != 0) {
        // Back to the display mode the desktop had.
        ChangeDisplaySettingsA(nullptr, 0);
        ShowCursor(TRUE);
    }
    timeEndPeriod(1);
    return 1;
}

void FollowActivation(GameWindow* window, HWND shown, bool active) {
    if (!active) {
        // Windows sends no key-up to a program that no longer has the keyboard.
        ReleaseAllKeys(window);
        // A window being destroyed is hidden first, and is no longer to be shown.
        if (window->fullscreenMode != 1 || desktopModeLent || !IsWindowVisible(shown)) return;
        LendDesktopMode(shown);
    } else if (desktopModeLent) {
        desktopModeLent = false;
        // The mode first, so that the window comes back maximised at its size.
        if (SwitchDisplayMode(window->width, window->height, window->colourBits) != 1) {
            FullScreenLost(window);
            return;
        }
        if (IsIconic(shown)) ShowWindow(shown, SW_RESTORE);
    }
}

void FollowDisplayChange(GameWindow* window, int32_t width, int32_t height) {
    // The game's own changes, and any while the desktop has its mode back.
    if (window->fullscreenMode != 1 || desktopModeLent) return;
    if (width == window->width && height == window->height) return;
    FullScreenLost(window);
}

bool GlContextIsCurrent() { return wglGetCurrentContext() != nullptr; }
