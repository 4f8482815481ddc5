// Frame times of the real window and drawing code: an empty frame, the main menu
// and a game against the computer, each drawn the way the main loop draws it. It
// also counts the heap allocations of the measured frames, which should be none:
// the game allocates nothing once its window is set up. malloc and friends are
// replaced here (forwarding to glibc's own) so that C, C++ and library
// allocations are all seen.

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
#include <filesystem>
#include <fstream>
#include <new>
#include <string>

#include "game/board.h"
#include "game/screen_flags.h"
#include "game/turns.h"
#include "render/draw_frame.h"
#include "settings/settings.h"
#include "shell/game_window.h"
#include "shell/main_loop.h"
#include "shell/projection.h"
#include "shell/start_up.h"

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

constexpr int warmUpFrames = 30;
constexpr int measuredFrames = 300;
constexpr const char* bucketNames[bucketCount] = {"our code", "libraries", "swap"};

GameWindow window;
KeyTable keys;

struct Run {
    const char* name = "";
    double msPerFrame = 0;
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

// Warm-up frames, then the measured ones, counted; glFinish on both sides so the
// drawing of earlier frames is not timed and that of the measured ones is.
void Measure(Run& run, void (*frame)()) {
    for (int i = 0; i < warmUpFrames; ++i) frame();
    glFinish();
    tally = &run.tally;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < measuredFrames; ++i) frame();
    glFinish();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    tally = nullptr;
    run.msPerFrame = took.count() / measuredFrames;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
}

std::string CpuModel() {
    std::ifstream cpuinfo("/proc/cpuinfo");
    for (std::string line; std::getline(cpuinfo, line);)
        if (line.rfind("model name", 0) == 0) return line.substr(line.find(':') + 2);
    return "unknown";
}

void PrintReport(const Run* runs, int runCount) {
    std::printf("CPU: %s\n", CpuModel().c_str());
    std::printf("GL_RENDERER: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    std::printf("window %dx%d, %d frames after %d warm-up frames, swap interval %d\n\n",
                window.width, window.height, measuredFrames, warmUpFrames,
                SDL_GL_GetSwapInterval());
    std::printf("%26s heap allocations per frame\n", "");
    std::printf("%-6s %9s %8s  %9s %10s %10s\n", "frame", "ms/frame", "x empty", bucketNames[0],
                bucketNames[1], bucketNames[2]);
    for (int r = 0; r < runCount; ++r) {
        const Run& run = runs[r];
        std::printf("%-6s %9.3f %8.2f ", run.name, run.msPerFrame,
                    run.msPerFrame / runs[0].msPerFrame);
        for (long count : run.tally.allocations)
            std::printf(" %10.2f", double(count) / measuredFrames);
        std::printf("\n");
    }
    std::printf("our code: made by the game's own code in SetProjection, UpdateFrame and\n"
                "DrawFrame (glClear in the empty frame); libraries: made inside the GL calls\n"
                "they make; swap: made inside SDL_GL_SwapWindow. Main thread only; the\n"
                "driver's other threads made %ld while counting.\n",
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

int main() {
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
    if (RegisterGameClass() == 0) {
        std::fprintf(stderr, "no usable display\n");
    } else {
        PrepareGameWindow(&window, &keys, 1024, 768);
        window.fullscreenMode = 0;
        if (OpenGameWindow(&window) != 1 || SetUpContext(&window, &keys) == 0) {
            std::fprintf(stderr, "the window could not be set up\n");
        } else {
            Run runs[3];
            runs[0].name = "empty";
            runs[1].name = "menu";
            runs[2].name = "game";
            window.lastFrameTime = SDL_GetTicks();
            screenFlags.inMenu = 1;
            Measure(runs[0], EmptyFrame);
            Measure(runs[1], LoopFrame);

            // Against the computer with the arrow keys, so the cursor shows; the
            // person is to move, so the computer waits and the board stays as set.
            settings.controls = 1;
            StartGame(0);
            const Board marks = {1, 5, 0, 0, 1, 0, 5, 0, 0};
            board = marks;
            turnFlag = 1;
            gameResult = 0;
            openingMovePending = 0;
            Measure(runs[2], LoopFrame);

            PrintReport(runs, 3);
            const bool boardKept = board == marks && gameResult == 0;
            if (!boardKept) std::printf("error: the board changed during the game frames\n");
            // Our own code must not allocate in a frame; what the driver does is
            // only reported.
            status = boardKept && runs[1].tally.allocations[ourCode] == 0 &&
                             runs[2].tally.allocations[ourCode] == 0
                         ? 0
                         : 1;
            TearDownContext();
        }
        CloseGameWindow(&window);
        UnregisterGameClass();
    }
    std::filesystem::current_path("/");
    std::filesystem::remove_all(folder); // removes the link, not the pictures
    return status;
}
