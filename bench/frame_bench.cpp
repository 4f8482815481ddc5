// Frame times of the real window and drawing code: an empty frame, the main menu
// and a game against the computer, each drawn the way the main loop draws it,
// beside the same two pictures drawn by straight-line code (straight_frames.cpp).
// It also counts the heap allocations of the measured frames, which should be none:
// the game allocates nothing once its window is set up. malloc and friends are
// replaced here (forwarding to glibc's own) so that C, C++ and library
// allocations are all seen.
// Usage: frame_bench [--smoke]
// --smoke draws a few frames of each kind in a small window: a quick check that
// the window opens, the frames draw, the baselines still draw the game's
// pictures and the game's own code allocates nothing, whose times mean nothing.

#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <execinfo.h>
#include <link.h>
#include <pthread.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>
#include <vector>

#include "game/board.h"
#include "game/screen_flags.h"
#include "game/turns.h"
#include "platform/window.h"
#include "render/draw_frame.h"
#include "render/fonts.h"
#include "render/textures.h"
#include "settings/settings.h"
#include "shell/game_window.h"
#include "shell/main_loop.h"
#include "shell/projection.h"
#include "shell/start_up.h"
#include "straight_frames.h"

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* pointer, size_t size);
void __libc_free(void* pointer);
void* __libc_memalign(size_t alignment, size_t size);
}

// The bounds of this program's own code, from the linker.
extern char __executable_start, etext;

namespace {

// Each allocation made on the main thread while counting goes to one bucket: made
// by our own code, made by a library (GL, X, SDL) that our code called, or made
// inside SDL_GL_SwapWindow. Mesa's worker threads are counted apart.
enum Bucket { ourCode, libraries, swap, bucketCount };
struct Tally {
    long allocations[bucketCount] = {};
    void* firstStack[bucketCount][16] = {}; // of the first allocation in each bucket
    int firstStackDepth[bucketCount] = {};
};

Tally* tally = nullptr; // null while not counting
bool inSwap = false;
bool inRecord = false;
long otherThreads = 0;
pthread_t mainThread;

// The code of libstdc++ and libc, which allocate on behalf of whoever called them
// (std::string, strdup, fopen): there the caller's caller decides.
struct CodeRange {
    uintptr_t begin, end;
};
CodeRange runtimeCode[8];
int runtimeCodeCount = 0;

int NoteRuntimeCode(dl_phdr_info* info, size_t, void*) {
    if (!std::strstr(info->dlpi_name, "libstdc++") && !std::strstr(info->dlpi_name, "libc.so"))
        return 0;
    for (int i = 0; i < info->dlpi_phnum && runtimeCodeCount < 8; ++i) {
        const auto& header = info->dlpi_phdr[i];
        if (header.p_type == PT_LOAD && (header.p_flags & PF_X))
            runtimeCode[runtimeCodeCount++] = {info->dlpi_addr + header.p_vaddr,
                                               info->dlpi_addr + header.p_vaddr + header.p_memsz};
    }
    return 0;
}

bool InOurCode(const void* address) { return address >= &__executable_start && address < &etext; }

bool InRuntime(const void* address) {
    const auto value = reinterpret_cast<uintptr_t>(address);
    for (int i = 0; i < runtimeCodeCount; ++i)
        if (value >= runtimeCode[i].begin && value < runtimeCode[i].end) return true;
    return false;
}

// For an allocation libstdc++ or libc made: the bucket of the first caller outside
// them on the stack, below the allocator's return address (caller).
Bucket BucketOfRuntimeCaller(const void* caller, void* const* stack, int depth) {
    int i = 0;
    while (i < depth && stack[i] != caller) ++i;
    while (i < depth && InRuntime(stack[i])) ++i;
    return i < depth && InOurCode(stack[i]) ? ourCode : libraries;
}

// caller: the return address of malloc or operator new. The stack is walked only
// where it is needed, as walking it is slow.
[[gnu::noinline]] void Record(const void* caller) {
    if (tally == nullptr || inRecord) return;
    if (!pthread_equal(pthread_self(), mainThread)) {
        __atomic_add_fetch(&otherThreads, 1, __ATOMIC_RELAXED);
        return;
    }
    inRecord = true;
    Bucket bucket = inSwap ? swap : InOurCode(caller) ? ourCode : libraries;
    const bool viaRuntime = bucket == libraries && InRuntime(caller);
    void* stack[32];
    int depth = 0;
    if (viaRuntime || tally->allocations[bucket] == 0) depth = backtrace(stack, 32);
    if (viaRuntime) bucket = BucketOfRuntimeCaller(caller, stack, depth);
    if (tally->allocations[bucket]++ == 0) {
        tally->firstStackDepth[bucket] = std::min(depth, 16);
        std::copy_n(stack, tally->firstStackDepth[bucket], tally->firstStack[bucket]);
    }
    inRecord = false;
}

} // namespace

extern "C" {
void* malloc(size_t size) {
    Record(__builtin_return_address(0));
    return __libc_malloc(size);
}
void* calloc(size_t count, size_t size) {
    Record(__builtin_return_address(0));
    return __libc_calloc(count, size);
}
void* realloc(void* pointer, size_t size) {
    Record(__builtin_return_address(0));
    return __libc_realloc(pointer, size);
}
void* memalign(size_t alignment, size_t size) {
    Record(__builtin_return_address(0));
    return __libc_memalign(alignment, size);
}
void* aligned_alloc(size_t alignment, size_t size) {
    Record(__builtin_return_address(0));
    return __libc_memalign(alignment, size);
}
int posix_memalign(void** pointer, size_t alignment, size_t size) {
    if (alignment % sizeof(void*) != 0 || (alignment & (alignment - 1)) != 0) return EINVAL;
    Record(__builtin_return_address(0));
    *pointer = __libc_memalign(alignment, size);
    return *pointer != nullptr || size == 0 ? 0 : ENOMEM;
}
void free(void* pointer) { __libc_free(pointer); }
}

// Replaced for every C++ caller in the process, the GL driver's included.
[[gnu::noinline]] void* CountedNew(size_t size, const void* caller) {
    Record(caller);
    if (void* pointer = __libc_malloc(size ? size : 1)) return pointer;
    throw std::bad_alloc();
}
void* operator new(size_t size) { return CountedNew(size, __builtin_return_address(0)); }
void* operator new[](size_t size) { return CountedNew(size, __builtin_return_address(0)); }
void operator delete(void* pointer) noexcept { __libc_free(pointer); }
void operator delete[](void* pointer) noexcept { __libc_free(pointer); }
void operator delete(void* pointer, size_t) noexcept { __libc_free(pointer); }
void operator delete[](void* pointer, size_t) noexcept { __libc_free(pointer); }

namespace {

// The kinds of frame are measured one frame each in turn, so that a change in
// the machine's load falls on all of them alike; each frame is timed on its own
// and the median frame of each kind counts. The first round warms up.
int rounds = 201;
int measuredFrames = rounds - 1;
// The screen the window is prepared for; it takes the screen's width and its
// height less the rows of the desktop's panels.
int screenWidth = 1024, screenHeight = 768;
constexpr const char* bucketNames[bucketCount] = {"our code", "libraries", "swap"};

GameWindow window;
KeyTable keys;

struct Run {
    const char* name = "";
    void (*setUp)() = nullptr;
    void (*frame)() = nullptr;
    std::vector<double> frameMs, frameCpuMs;
    double msPerFrame = 0, cpuMsPerFrame = 0;
    Tally tally;
};

void Swap() {
    inSwap = true;
    SDL_GL_SwapWindow(window.window);
    inSwap = false;
}

void EmptyFrame() {
    SetProjection(window.width, window.height);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Swap();
}

// The frame branch of RunInnerLoop.
void LoopFrame() {
    SetProjection(window.width, window.height);
    const uint32_t now = SDL_GetTicks();
    UpdateFrame(now - window.lastFrameTime);
    window.lastFrameTime = now;
    DrawFrame();
    Swap();
}

float straightScroll = 0.0f;
uint32_t straightLastTicks = 0;

void StraightMenu() {
    StraightMenuFrame(textures, largeFontBase, float(window.width), float(window.height));
    Swap();
}

void StraightGame() {
    const uint32_t now = SDL_GetTicks();
    straightScroll += float(now - straightLastTicks) * 0.0001f;
    straightLastTicks = now;
    StraightGameFrame(textures, smallFontBase, straightScroll, float(window.width),
                      float(window.height));
    Swap();
}

void MenuState() { screenFlags.inMenu = 1; }

// Against the computer with the arrow keys, so the cursor shows; the person is
// to move, so the computer waits and the board stays as set.
const Board gameMarks = {1, 5, 0, 0, 1, 0, 5, 0, 0};
void GameState() {
    settings.controls = 1;
    settings.xoro = 1;
    StartGame(0);
    board = gameMarks;
    cursor = Cursor{};
    turnFlag = 1;
    gameResult = 0;
    openingMovePending = 0;
}

// Processor time of the whole process, the driver's drawing threads included.
double ProcessCpuMs() {
    timespec time{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &time);
    return double(time.tv_sec) * 1e3 + double(time.tv_nsec) / 1e6;
}

// One frame of a run, timed from a finished pipeline to a finished pipeline;
// counted and kept unless it warms up.
void MeasureFrame(Run& run, bool warmUp) {
    run.setUp();
    glFinish();
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
    if (!warmUp) tally = &run.tally;
    const double cpuStart = ProcessCpuMs();
    const auto start = std::chrono::steady_clock::now();
    run.frame();
    glFinish();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    const double cpuUsed = ProcessCpuMs() - cpuStart;
    tally = nullptr;
    if (warmUp) return;
    run.frameMs.push_back(took.count());
    run.frameCpuMs.push_back(cpuUsed);
}

double Median(std::vector<double>& values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void TakeMedian(Run& run) {
    run.msPerFrame = Median(run.frameMs);
    run.cpuMsPerFrame = Median(run.frameCpuMs);
}

// The back buffer, as the frame just drawn left it.
std::vector<unsigned char> ReadFrame() {
    std::vector<unsigned char> pixels(size_t(window.width) * window.height * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, window.width, window.height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// The straight-line frames must draw the game's picture exactly, or the ratios
// compare different work. The pixels that differ between the two.
long PicturesDiffer(void (*gameFrame)(), void (*straightFrame)()) {
    gameFrame();
    const std::vector<unsigned char> game = ReadFrame();
    straightFrame();
    const std::vector<unsigned char> straight = ReadFrame();
    long differing = 0;
    for (size_t i = 0; i < game.size(); i += 3)
        differing += !std::equal(&game[i], &game[i] + 3, &straight[i]);
    return differing;
}

constexpr float comparedScroll = 0.3f;
void GameMenuPicture() {
    MenuState();
    SetProjection(window.width, window.height);
    DrawFrame();
}
void StraightMenuPicture() {
    StraightMenuFrame(textures, largeFontBase, float(window.width), float(window.height));
}
void GamePlayPicture() {
    GameState();
    bannerScroll = comparedScroll;
    SetProjection(window.width, window.height);
    DrawFrame();
}
void StraightPlayPicture() {
    StraightGameFrame(textures, smallFontBase, comparedScroll, float(window.width),
                      float(window.height));
}

std::string CpuModel() {
    std::ifstream cpuinfo("/proc/cpuinfo");
    for (std::string line; std::getline(cpuinfo, line);)
        if (line.rfind("model name", 0) == 0) return line.substr(line.find(':') + 2);
    return "unknown";
}

void PrintAllocationRow(const Run& run) {
    for (long count : run.tally.allocations) std::printf(" %10.2f", double(count) / measuredFrames);
}

void PrintReport(const Run* runs, int runCount) {
    std::printf("CPU: %s, %ld cores online\n", CpuModel().c_str(), sysconf(_SC_NPROCESSORS_ONLN));
    std::printf("GL_RENDERER: %s\nGL_VERSION: %s\n",
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)),
                reinterpret_cast<const char*>(glGetString(GL_VERSION)));
    std::printf("window %dx%d, swap interval %d; median of %d frames of each kind, the kinds\n"
                "taken in turns one frame each\n\n",
                window.width, window.height, SDL_GL_GetSwapInterval(), measuredFrames);
    std::printf("%-15s %19s %11s %19s   heap allocations per frame\n", "", "wall time", "",
                "processor time");
    std::printf("%-15s %9s %8s %11s %9s %9s %10s %10s %10s\n", "frame", "ms/frame", "x empty",
                "x straight", "ms/frame", "x straight", bucketNames[0], bucketNames[1],
                bucketNames[2]);
    for (int r = 0; r < runCount; ++r) {
        const Run& run = runs[r];
        std::printf("%-15s %9.3f %8.2f ", run.name, run.msPerFrame,
                    run.msPerFrame / runs[0].msPerFrame);
        // The game's menu and game frames stand right after their straight twins.
        const bool twin = r == 2 || r == 4;
        if (twin)
            std::printf("%11.3f", run.msPerFrame / runs[r - 1].msPerFrame);
        else
            std::printf("%11s", "");
        std::printf(" %9.3f ", run.cpuMsPerFrame);
        if (twin)
            std::printf("%9.3f", run.cpuMsPerFrame / runs[r - 1].cpuMsPerFrame);
        else
            std::printf("%9s", "");
        PrintAllocationRow(run);
        std::printf("\n");
    }
    std::printf("x straight: the game's frame against the same picture drawn by straight-line\n"
                "code (bench/straight_frames.cpp), which is what the game's own code adds.\n"
                "Processor time: of the whole process (the driver's threads too) in the frame.\n"
                "our code: allocations made by the game's own code in SetProjection,\n"
                "UpdateFrame and DrawFrame (glClear in the empty frame); libraries: made\n"
                "inside the GL calls they make; swap: made inside SDL_GL_SwapWindow. Main\n"
                "thread only; the driver's other threads made %ld while counting.\n",
                otherThreads);

    // Where allocations come from: the first one of our code in each run, and one
    // example of the libraries' and of the swap's (Record's own frame left out).
    bool shown[bucketCount] = {};
    for (int r = 0; r < runCount; ++r)
        for (int bucket = 0; bucket < bucketCount; ++bucket) {
            const Tally& tally = runs[r].tally;
            if (tally.firstStackDepth[bucket] < 2 || (bucket != ourCode && shown[bucket])) continue;
            shown[bucket] = true;
            std::printf("\nfirst allocation by %s in the %s frames:\n", bucketNames[bucket],
                        runs[r].name);
            std::fflush(stdout);
            backtrace_symbols_fd(tally.firstStack[bucket] + 1, tally.firstStackDepth[bucket] - 1,
                                 STDOUT_FILENO);
        }
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--smoke") == 0) {
        rounds = 4;
        measuredFrames = rounds - 1;
        screenWidth = 320;
        screenHeight = 296;
    } else if (argc != 1) {
        std::fprintf(stderr, "usage: frame_bench [--smoke]\n");
        return 2;
    }
    mainThread = pthread_self();
    dl_iterate_phdr(NoteRuntimeCode, nullptr);
    void* preload[1];
    backtrace(preload, 1); // loads the unwinder now rather than inside a counted frame

    // The game reads Data/ and writes prefs.txt in its working folder: a scratch
    // folder with a link to the source pictures, removed at the end.
    char folderName[] = "/tmp/kelmot-frame-bench.XXXXXX";
    if (mkdtemp(folderName) == nullptr) return 1;
    const std::filesystem::path folder = folderName;
    std::filesystem::create_directory_symlink(KELMOT_DATA_DIR, folder / "Data");
    std::filesystem::current_path(folder);

    int status = 1;
    WindowClassInfo classInfo{nullptr, "OpenGL"};
    if (RegisterGameClass(&classInfo) == 0) {
        std::fprintf(stderr, "no usable display\n");
    } else {
        PrepareGameWindow(&window, &keys, &classInfo, screenWidth, screenHeight, ScreenDpi());
        window.fullscreenMode = 0;
        if (OpenGameWindow(&window) != 1 || SetUpContext(&window, &keys) == 0) {
            std::fprintf(stderr, "the window could not be set up\n");
        } else {
            const long menuDiffers = PicturesDiffer(GameMenuPicture, StraightMenuPicture);
            const long gameDiffers = PicturesDiffer(GamePlayPicture, StraightPlayPicture);

            struct Kind {
                const char* name;
                void (*setUp)();
                void (*frame)();
            };
            constexpr Kind kinds[5] = {{"empty", MenuState, EmptyFrame},
                                       {"straight menu", MenuState, StraightMenu},
                                       {"menu", MenuState, LoopFrame},
                                       {"straight game", GameState, StraightGame},
                                       {"game", GameState, LoopFrame}};
            Run runs[5];
            for (int r = 0; r < 5; ++r) {
                runs[r].name = kinds[r].name;
                runs[r].setUp = kinds[r].setUp;
                runs[r].frame = kinds[r].frame;
            }
            window.lastFrameTime = straightLastTicks = SDL_GetTicks();
            for (int round = 0; round < rounds; ++round)
                for (Run& run : runs) MeasureFrame(run, round == 0);
            for (Run& run : runs) TakeMedian(run);

            PrintReport(runs, 5);
            std::printf("\npixels that differ between the game's and the straight-line "
                        "pictures: menu %ld, game %ld\n",
                        menuDiffers, gameDiffers);
            const bool boardKept = board == gameMarks && gameResult == 0;
            if (!boardKept) std::printf("error: the board changed during the game frames\n");
            // Our own code must not allocate in a frame, and the baselines must
            // draw the game's picture; what the driver does is only reported.
            const bool picturesAlike = menuDiffers == 0 && gameDiffers == 0;
            if (!picturesAlike)
                std::printf("error: the straight-line frames do not draw the game's pictures\n");
            const bool noneAllocated =
                runs[2].tally.allocations[ourCode] == 0 && runs[4].tally.allocations[ourCode] == 0;
            if (!noneAllocated) std::printf("error: the game's own code allocated in a frame\n");
            status = boardKept && picturesAlike && noneAllocated ? 0 : 1;
            TearDownContext();
        }
        CloseGameWindow(&window);
        UnregisterGameClass(&classInfo);
    }
    std::filesystem::current_path("/");
    std::filesystem::remove_all(folder); // removes the link, not the pictures
    return status;
}
