// The game window on a real X display with a window manager: opening and
// closing it in each mode, its events, and whole passes of the window loop.

#include <GL/gl.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

#include "game/board.h"
#include "game/screen_flags.h"
#include "platform/linux/signal_watcher.h"
#include "platform/linux/window_events.h"
#include "platform/window.h"
#include "shell/main_loop.h"
#include "shell/projection.h"
#include "shell/start_up.h"
#include "support/report_recorder.h"
#include "support/scratch_folder.h"

namespace {

using namespace std::chrono_literals;

// Hands the window's pending events to the window's handler until done() holds
// or two seconds pass.
template <typename Condition> bool PumpUntil(GameWindow* window, Condition done) {
    const auto deadline = std::chrono::steady_clock::now() + 2s;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, 20) && event.type != endOfPassEvent)
            HandleWindowMessage(window, event);
    }
    return true;
}

bool HandlesReleased(const GameWindow& window) {
    return window.window == nullptr && window.glContext == nullptr;
}

// Waits up to two seconds for condition() to hold, pumping SDL's events.
template <typename Condition> bool WaitFor(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + 2s;
    while (SDL_PumpEvents(), !condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

bool Sigusr1Pending() {
    sigset_t pending;
    sigpending(&pending);
    return sigismember(&pending, SIGUSR1) == 1;
}

int QueuedToggles() {
    SDL_PumpEvents();
    return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, modeToggleEvent, modeToggleEvent);
}

// Sends SIGUSR1 as another program does, and waits until the watcher thread has
// taken it; whether it became a toggle depends on whether a window was there.
void SendToggleSignal() {
    ASSERT_EQ(kill(getpid(), SIGUSR1), 0);
    ASSERT_TRUE(WaitFor([] { return !Sigusr1Pending(); })) << "the watcher does not take SIGUSR1";
}

class GameWindowTest : public testing::Test {
  protected:
    GameWindowTest() {
        StartSignalWatcher(); // before SDL starts threads of its own
        EXPECT_EQ(RegisterGameClass(&classInfo), 1);
        int32_t screenWidth = 0, screenHeight = 0;
        ScreenSize(&screenWidth, &screenHeight);
        PrepareGameWindow(&window, &keys, &classInfo, screenWidth, screenHeight, ScreenDpi());
        window.fullscreenMode = 0;
        nextFullscreen = 0;
        keepRunning = 1;
        screenFlags = ScreenFlags{};
    }
    ~GameWindowTest() override {
        CloseGameWindow(&window);
        UnregisterGameClass(&classInfo);
    }

    KeyTable keys;
    WindowClassInfo classInfo;
    GameWindow window;
    ReportRecorder reports;
};

TEST_F(GameWindowTest, WindowedOpensMaximisedAndDrawsAtTheStoredSize) {
    keys.fill(1);
    ASSERT_EQ(OpenGameWindow(&window), 1);
    EXPECT_NE(window.window, nullptr);
    EXPECT_NE(window.glContext, nullptr);
    EXPECT_EQ(window.visible, 1);
    EXPECT_EQ(window.fullscreenMode, 0);
    EXPECT_EQ(std::count(keys.begin(), keys.end(), 0), 256);
    EXPECT_LE(SDL_GetTicks() - window.lastFrameTime, 1000u);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
    EXPECT_TRUE(PumpUntil(
        &window, [&] { return (SDL_GetWindowFlags(window.window) & SDL_WINDOW_MAXIMIZED) != 0; }));
    SetProjection(window.width, window.height); // as every frame does
    std::array<int, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    EXPECT_EQ(viewport, (std::array<int, 4>{0, 0, window.width, window.height}));
    EXPECT_TRUE(reports.Reports().empty());

    EXPECT_EQ(CloseGameWindow(&window), 1);
    EXPECT_TRUE(HandlesReleased(window));
}

TEST_F(GameWindowTest, FullScreenInTheDisplaysOwnMode) {
    // Xvfb offers one mode, its own size.
    SDL_DisplayMode desktop;
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
    window.width = desktop.w;
    window.height = desktop.h;
    window.fullscreenMode = 1;
    ASSERT_EQ(OpenGameWindow(&window), 1);
    EXPECT_EQ(window.fullscreenMode, 1);
    EXPECT_NE(SDL_GetWindowFlags(window.window) & SDL_WINDOW_FULLSCREEN, 0u);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    EXPECT_TRUE(reports.Reports().empty());

    CloseGameWindow(&window);
    EXPECT_TRUE(HandlesReleased(window));
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
}

TEST_F(GameWindowTest, SizeTheDisplayLacksFallsBackToAWindow) {
    window.width = 1000;
    window.height = 700;
    window.fullscreenMode = 1;
    ASSERT_EQ(OpenGameWindow(&window), 1);
    EXPECT_EQ(reports.Reports(),
              std::vector<std::string>{"Mode Switch Failed.\nRunning In Windowed Mode."});
    EXPECT_TRUE(reports.AllOwnedBy(ReportOwner::none)) << "the window layer's boxes stand alone";
    EXPECT_EQ(window.fullscreenMode, 0);
    EXPECT_EQ(SDL_GetWindowFlags(window.window) & SDL_WINDOW_FULLSCREEN, 0u);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
    EXPECT_EQ(window.width, 1000);
}

SDL_Event KeyEvent(uint32_t type, SDL_Scancode scancode, SDL_Keycode sym, uint16_t mod = 0,
                   uint8_t repeat = 0) {
    SDL_Event event{};
    event.type = type;
    event.key.repeat = repeat;
    event.key.keysym.scancode = scancode;
    event.key.keysym.sym = sym;
    event.key.keysym.mod = mod;
    return event;
}

TEST_F(GameWindowTest, KeysGoIntoTheTable) {
    ASSERT_EQ(OpenGameWindow(&window), 1);
    HandleWindowMessage(&window, KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_RETURN, SDLK_RETURN));
    EXPECT_EQ(keys[vkReturn], 1);
    keys[vkReturn] = 0; // a consumer acted on it
    HandleWindowMessage(&window, KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_RETURN, SDLK_RETURN, 0, 1));
    EXPECT_EQ(keys[vkReturn], 1) << "auto-repeat acts again";
    HandleWindowMessage(&window, KeyEvent(SDL_KEYUP, SDL_SCANCODE_RETURN, SDLK_RETURN));
    EXPECT_EQ(keys[vkReturn], 0);

    HandleWindowMessage(&window, KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_KP_7, SDLK_KP_7, KMOD_NUM));
    EXPECT_EQ(keys[vkNumpad7], 1);
    HandleWindowMessage(&window, KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_KP_8, SDLK_KP_8));
    EXPECT_EQ(keys[vkUp], 1) << "Num Lock off: the keypad moves";

    // Keys with Alt belong to the desktop; letting go always counts.
    HandleWindowMessage(&window, KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_R, SDLK_r, KMOD_LALT));
    EXPECT_EQ(keys[vkR], 0);
    HandleWindowMessage(&window, KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_R, SDLK_r));
    HandleWindowMessage(&window, KeyEvent(SDL_KEYUP, SDL_SCANCODE_R, SDLK_r, KMOD_LALT));
    EXPECT_EQ(keys[vkR], 0);
    EXPECT_EQ(std::count(keys.begin(), keys.end(), 1), 2);
}

TEST_F(GameWindowTest, MinimisedWindowWaitsWithoutFrames) {
    ASSERT_EQ(OpenGameWindow(&window), 1);
    ASSERT_TRUE(PumpUntil(
        &window, [&] { return (SDL_GetWindowFlags(window.window) & SDL_WINDOW_MAXIMIZED) != 0; }));
    SDL_MinimizeWindow(window.window);
    ASSERT_TRUE(PumpUntil(&window, [&] { return window.visible == 0; }));

    // Half a second of the loop while minimised: no frame, and the processor
    // mostly idle, until the pass is ended from outside.
    const uint32_t lastFrame = window.lastFrameTime;
    std::thread ender([] {
        std::this_thread::sleep_for(500ms);
        SDL_Event event{};
        event.type = endOfPassEvent;
        SDL_PushEvent(&event);
    });
    rusage before{}, after{};
    getrusage(RUSAGE_THREAD, &before);
    RunInnerLoop(&window);
    getrusage(RUSAGE_THREAD, &after);
    ender.join();
    EXPECT_EQ(window.lastFrameTime, lastFrame);
    const double cpuSeconds = (after.ru_utime.tv_sec - before.ru_utime.tv_sec) +
                              (after.ru_utime.tv_usec - before.ru_utime.tv_usec) / 1e6;
    EXPECT_LT(cpuSeconds, 0.25);

    SDL_RestoreWindow(window.window);
    ASSERT_TRUE(PumpUntil(&window, [&] { return window.visible == 1; }));
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(window.window, &width, &height);
    std::array<int, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    EXPECT_EQ(viewport, (std::array<int, 4>{0, 0, width, height}));
}

SDL_Event WindowEvent(const GameWindow& window, SDL_WindowEventID id) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = id;
    event.window.windowID = SDL_GetWindowID(window.window);
    return event;
}

TEST_F(GameWindowTest, ScreenSaverIsHeldOffOnlyWhileFocused) {
    ASSERT_EQ(OpenGameWindow(&window), 1);
    EXPECT_TRUE(SDL_IsScreenSaverEnabled());
    HandleWindowMessage(&window, WindowEvent(window, SDL_WINDOWEVENT_FOCUS_GAINED));
    EXPECT_FALSE(SDL_IsScreenSaverEnabled());
    HandleWindowMessage(&window, WindowEvent(window, SDL_WINDOWEVENT_FOCUS_LOST));
    EXPECT_TRUE(SDL_IsScreenSaverEnabled());
}

TEST_F(GameWindowTest, ToggleWithoutAWindowIsDropped) {
    // Before the first window, and between two passes: the signal is taken and
    // dropped. One signal sent with the window open then gives one toggle: the
    // watcher takes signals in turn, so the dropped one would have been pushed
    // before it.
    SendToggleSignal();
    ASSERT_EQ(OpenGameWindow(&window), 1);
    SendToggleSignal();
    ASSERT_TRUE(WaitFor([] { return QueuedToggles() > 0; }));
    EXPECT_EQ(QueuedToggles(), 1) << "a toggle sent before the first window was kept";

    CloseGameWindow(&window);
    EXPECT_EQ(QueuedToggles(), 0) << "a toggle for the closed window was kept";
    SendToggleSignal();
    ASSERT_EQ(OpenGameWindow(&window), 1);
    SendToggleSignal();
    ASSERT_TRUE(WaitFor([] { return QueuedToggles() > 0; }));
    EXPECT_EQ(QueuedToggles(), 1) << "a toggle sent between two windows was kept";
}

// Keeps a toggle on its way into SDL's queue for a while, as a busy machine may.
struct HeldToggle {
    std::atomic<bool> pushing{false};
    std::atomic<bool> pushed{false};
};
int HoldToggle(void* data, SDL_Event* event) {
    auto* held = static_cast<HeldToggle*>(data);
    if (event->type == modeToggleEvent) {
        held->pushing = true;
        std::this_thread::sleep_for(300ms);
        held->pushed = true;
    }
    return 1;
}

TEST_F(GameWindowTest, DroppingTogglesWaitsForOneOnItsWay) {
    // Toggles are dropped when the window closes and before SDL shuts down: no
    // push may be under way after that.
    SetModeToggleTarget(modeToggleEvent);
    HeldToggle held;
    SDL_AddEventWatch(HoldToggle, &held);
    ASSERT_EQ(kill(getpid(), SIGUSR1), 0);
    ASSERT_TRUE(WaitFor([&] { return held.pushing.load(); }));
    SetModeToggleTarget(0);
    EXPECT_TRUE(held.pushed) << "toggles were dropped while one was being pushed";
    SDL_DelEventWatch(HoldToggle, &held);
}

TEST_F(GameWindowTest, CloseRequestEndsTheRun) {
    ASSERT_EQ(OpenGameWindow(&window), 1);
    SDL_Event close = WindowEvent(window, SDL_WINDOWEVENT_CLOSE);
    SDL_PushEvent(&close);
    RunInnerLoop(&window); // returns only at the end of the pass
    EXPECT_EQ(keepRunning, 0);
}

// Whole passes of the window loop, with the game's pictures in a scratch folder.
class WindowPassTest : public GameWindowTest {
  protected:
    WindowPassTest() {
        std::filesystem::create_directory_symlink(KELMOT_SOURCE_DIR "/Data", "Data");
    }
    ScratchFolder folder;
};

// Sends SIGUSR1 once the window of a pass is shown, as another program does
// while the game runs.
int SignalWhenShown(void*, SDL_Event* event) {
    if (event->type == SDL_WINDOWEVENT && event->window.event == SDL_WINDOWEVENT_SHOWN)
        kill(getpid(), SIGUSR1);
    return 1;
}

TEST_F(WindowPassTest, SigusrReopensInTheOtherModeAndTheGameGoesOn) {
    screenFlags.inMenu = 0;
    screenFlags.twoPlayerGame = 1;
    board = {1, 0, 5, 0, 1, 0, 0, 0, 5};
    turnFlag = 0;

    SDL_AddEventWatch(SignalWhenShown, nullptr);
    ASSERT_EQ(RunPass(&window, &keys), 1);
    SDL_DelEventWatch(SignalWhenShown, nullptr);
    EXPECT_EQ(nextFullscreen, 1);
    EXPECT_EQ(keepRunning, 1);
    EXPECT_TRUE(HandlesReleased(window));

    // The second pass asks for full screen at the start-up size, which Xvfb
    // does not offer, and is ended by a quit.
    keys[vkLeft] = 1;
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    ASSERT_EQ(RunPass(&window, &keys), 1);
    EXPECT_EQ(keepRunning, 0);
    EXPECT_EQ(reports.Reports(),
              std::vector<std::string>{"Mode Switch Failed.\nRunning In Windowed Mode."});
    EXPECT_EQ(keys[vkLeft], 0) << "keys held before the toggle count as released";
    EXPECT_EQ(board, (Board{1, 0, 5, 0, 1, 0, 0, 0, 5}));
    EXPECT_EQ(turnFlag, 0);
    EXPECT_EQ(screenFlags.inMenu, 0);
    EXPECT_TRUE(HandlesReleased(window));
}

TEST_F(WindowPassTest, NoFrameOnceThePassIsToEnd) {
    // Against the computer, with the computer to move: a single frame would
    // show its mark. A toggle or a quit is the first event of the pass.
    screenFlags.inMenu = 0;
    screenFlags.twoPlayerGame = 0;
    const Board position{1, 0, 0, 0, 0, 0, 0, 0, 0};
    for (const uint32_t request : {modeToggleEvent, uint32_t(SDL_QUIT)}) {
        SCOPED_TRACE(request == SDL_QUIT ? "quit" : "toggle");
        board = position;
        turnFlag = 0;
        openingMovePending = 0;
        SDL_Event event{};
        event.type = request;
        SDL_PushEvent(&event);
        ASSERT_EQ(RunPass(&window, &keys), 1);
        EXPECT_EQ(board, position) << "the computer moved after the request";
    }
    EXPECT_EQ(keepRunning, 0);
}

TEST_F(WindowPassTest, MissingPictureEndsTheRunAfterOneMessage) {
    std::filesystem::remove("Data");
    std::filesystem::create_directory("Data");
    ASSERT_EQ(RunPass(&window, &keys), 1);
    EXPECT_EQ(keepRunning, 0);
    EXPECT_EQ(reports.Reports(), std::vector<std::string>{"Loading Textures Failed"});
    EXPECT_TRUE(reports.AllOwnedBy(ReportOwner::none));
    EXPECT_TRUE(HandlesReleased(window));
    EXPECT_FALSE(SDL_HasEvent(endOfPassEvent)) << "nothing of the pass is left queued";
}

} // namespace
