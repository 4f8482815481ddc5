// The game window in the browser: a canvas in the page with a WebGL context,
// of the size the game settled at start-up. Windowed, it is shown in the page
// below the bar; full screen, it is the browser's full-screen element; either
// way scaled to fit with its shape kept.

#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>

#include "platform/messages.h"
#include "platform/web/gl/fixed_function.h"
#include "platform/web/window_events.h"
#include "platform/window.h"
#include "render/error_report.h"
#include "shell/main_loop.h"
#include "shell/window_messages.h"

namespace {

constexpr const char* canvasSelector = "#kelmot-window";

// The screen the page tells the game of (page.js); 0 x 0 without the page.
// Asked as the game starts, after the browser has had its turn: the start of
// the game's code and the game's own start are then two short tasks of the
// page, not one long one that holds up its drawing and the player's input on a
// slow phone.
// clang-format off
EM_ASYNC_JS(void, PageSize, (int32_t* width, int32_t* height), {
    await new Promise((resolve) => setTimeout(resolve, 0));
    const size = typeof kelmotPage == 'object' ? kelmotPage.screenSize() : [0, 0];
    HEAP32[width >> 2] = size[0];
    HEAP32[height >> 2] = size[1];
});
// clang-format on

// Puts a new canvas of width x height pixels in the page's game area; 0 when the
// page has none.
// clang-format off
EM_JS(int, AddCanvas, (int32_t width, int32_t height), {
    return kelmotPage.addWindow(width, height) ? 1 : 0;
});
// clang-format on

// clang-format off
EM_JS(int, PageCanShowGame, (), {
    return typeof kelmotPage == 'object' && kelmotPage.canShowGame() ? 1 : 0;
});
// clang-format on

// Whether the browser can show the canvas full screen at all (iPhones cannot).
// clang-format off
EM_JS(int, PageHasFullscreen, (), { return kelmotPage.hasFullscreen() ? 1 : 0; });
// clang-format on

// clang-format off
EM_JS(void, RemoveCanvas, (), { kelmotPage.removeWindow(); });
// clang-format on

// Asks the browser to show the canvas full screen and waits for its answer: 1
// when it does, 0 when it refused (it grants full screen only in answer to a
// player's action).
// clang-format off
EM_ASYNC_JS(int, ShowCanvasFullscreen, (), {
    return await kelmotPage.enterFullscreen() ? 1 : 0;
});
// clang-format on

// clang-format off
EM_ASYNC_JS(void, LeaveFullscreen, (), { await kelmotPage.leaveFullscreen(); });
// clang-format on

} // namespace

void ScreenSize(int32_t* width, int32_t* height) { PageSize(width, height); }

// The rows the game leaves free are the page's own bar, which the page sizes to
// them, in the same device pixels.
int32_t ScreenDpi() { return 96; }

// The page has no taskbar or caption to leave room for.
void WindowRoom(int32_t* width, int32_t* height) {
    *width = 0;
    *height = 0;
}

// The page must be able to show the game: it has the game's place, and the
// browser draws with WebGL.
int32_t RegisterGameClass(WindowClassInfo*) {
    if (!PageCanShowGame()) {
        ReportError("RegisterClassEx Failed!", ReportOwner::none);
        return 0;
    }
    return 1;
}

void UnregisterGameClass(WindowClassInfo*) { LeaveFullscreen(); }

namespace {

// A WebGL 1 context on the canvas: RGB without alpha, a depth buffer, no
// stencil and no smoothing of edges, as the pixel format asks elsewhere. (A
// WebGL canvas has 8 bits a channel whatever depth was chosen.)
EMSCRIPTEN_WEBGL_CONTEXT_HANDLE CreateContext() {
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.alpha = EM_FALSE;
    attributes.depth = EM_TRUE;
    attributes.stencil = EM_FALSE;
    attributes.antialias = EM_FALSE;
    attributes.premultipliedAlpha = EM_FALSE;
    attributes.preserveDrawingBuffer = EM_FALSE;
    attributes.majorVersion = 1;
    attributes.minorVersion = 0;
    return emscripten_webgl_create_context(canvasSelector, &attributes);
}

// Lets go of the current context at once: the browser would keep it, and what
// it holds, until the canvas is collected, and warns when it keeps too many.
// clang-format off
EM_JS(void, LoseCurrentContext, (), {
    const lose = GLctx.getExtension('WEBGL_lose_context');
    if (lose) lose.loseContext();
});
// clang-format on

// Drops what emscripten's GL tables hold, which belongs to the one context there
// is and ends with it (when it is closed, or when the browser has lost it).
// clang-format off
EM_JS(void, ForgetContextObjects, (), {
    for (const table of [GL.textures, GL.buffers, GL.programs, GL.shaders, GL.framebuffers,
                         GL.renderbuffers])
        table.fill(null);
});
// clang-format on

// The pictures are in the game's folder (page/start.js).
// clang-format off
EM_ASYNC_JS(void, WaitForPictures, (), { await Module['kelmotPicturesIn'](); });
// clang-format on

} // namespace

int32_t OpenGameWindow(GameWindow* window) {
    if (!AddCanvas(window->width, window->height)) {
        std::fprintf(stderr, "kelmot: the page has no place for the game\n");
        return 0;
    }
    window->window = canvasSelector;
    // A browser without full screen plays in the page, as it always does there:
    // no switch is tried, so none fails.
    if (window->fullscreenMode == 1 && PageHasFullscreen() == 0) window->fullscreenMode = 0;
    if (window->fullscreenMode == 1) {
        if (ShowCanvasFullscreen() == 1) {
            SetFullscreenShown(true);
        } else {
            ReportError("Mode Switch Failed.\nRunning In Windowed Mode.", ReportOwner::none);
            window->fullscreenMode = 0;
        }
    }

    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = CreateContext();
    if (context <= 0 ||
        emscripten_webgl_make_context_current(context) != EMSCRIPTEN_RESULT_SUCCESS) {
        std::fprintf(stderr, "kelmot: the browser gives no WebGL context\n");
        if (context > 0) emscripten_webgl_destroy_context(context);
        CloseGameWindow(window);
        return 0;
    }
    window->glContext = reinterpret_cast<GlContextHandle>(context);
    ResetFixedFunction();
    ListenToPage(window);

    // The game reads its pictures as soon as its window is open; the page
    // has been fetching them since its start-up dialog showed, or at least
    // while the window and its context were made.
    WaitForPictures();
    WindowOpened(window);
    return 1;
}

int32_t CloseGameWindow(GameWindow* window) {
    StopListeningToPage();
    if (window->glContext) {
        LoseCurrentContext();
        ForgetContextObjects();
        emscripten_webgl_make_context_current(0);
        emscripten_webgl_destroy_context(static_cast<EMSCRIPTEN_WEBGL_CONTEXT_HANDLE>(
            reinterpret_cast<intptr_t>(window->glContext)));
        window->glContext = nullptr;
    }
    if (window->window) {
        SetFullscreenShown(false);
        if (window->fullscreenMode != 0) LeaveFullscreen();
        RemoveCanvas();
        window->window = nullptr;
    }
    return 1;
}

// As a new window's set-up does, and with the same end when the pictures cannot
// be loaded again.
void RenewLostContext(GameWindow* window) {
    TearDownContext();
    ForgetContextObjects();
    ResetFixedFunction();
    if (SetUpContext(window, window->keyTable) == 0) RequestQuit(window);
}

bool GlContextIsCurrent() { return emscripten_webgl_get_current_context() != 0; }
