// Preloaded into the real game (and into the bare-window baseline) by
// session_bench. It wraps SDL_GL_SwapWindow, so it sees each presented frame
// without any change to the program, and reports on the pipe whose number is in
// KELMOT_PROBE_FD, one "name value" line each:
//   loaded NS      CLOCK_MONOTONIC when the program's libraries were all loaded
//   ok NS          CLOCK_MONOTONIC when the start-up dialog's OK was pressed
//   first NS       CLOCK_MONOTONIC when the first frame had been presented
//   mapping KB ... the resident memory of each mapped file (and of the
//                  anonymous memory) at the first frame in first mode, and
//                  at the end of the script in play mode
// KELMOT_PROBE_MODE=first ends the process right after the first frame. When the
// program shows the start-up dialog, the probe presses its OK (clicks its
// default button, as Enter does) once the dialog has been up for a moment.
// KELMOT_PROBE_MODE=play types a fixed script of key presses (SDL events, as the
// keyboard gives them) through the menus and two games, and then, with
// KELMOT_PROBE_MINIMISE=1, reports the processor time of five seconds shown
// and of five seconds minimised (KELMOT_PROBE_PHASE_MS sets another length):
//   shown CPU_NS FRAMES
//   minimised CPU_NS FRAMES
// The process ends (_exit 0) once everything is reported; its peak resident
// memory is read by the parent from wait4.

#include <SDL2/SDL.h>
#include <dlfcn.h>
#include <pthread.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

namespace {

int reportFd = -1;
bool firstOnly = false;
bool minimise = false;
int64_t phaseNs = 5'000'000'000; // of the shown and of the minimised phase
std::atomic<long> frames{0};

int64_t Now(clockid_t clock) {
    timespec time{};
    clock_gettime(clock, &time);
    return int64_t(time.tv_sec) * 1000000000 + time.tv_nsec;
}

void Report(const char* name, int64_t value, long count = -1) {
    char line[96];
    const int length = count < 0 ? std::snprintf(line, sizeof line, "%s %lld\n", name,
                                                 static_cast<long long>(value))
                                 : std::snprintf(line, sizeof line, "%s %lld %ld\n", name,
                                                 static_cast<long long>(value), count);
    if (reportFd >= 0 && write(reportFd, line, size_t(length)) != length) _exit(3);
}

[[gnu::constructor]] void Loaded() {
    const int64_t loaded = Now(CLOCK_MONOTONIC);
    const char* fd = std::getenv("KELMOT_PROBE_FD");
    if (!fd) return;
    reportFd = std::atoi(fd);
    const char* mode = std::getenv("KELMOT_PROBE_MODE");
    firstOnly = !mode || std::strcmp(mode, "first") == 0;
    const char* minimiseSetting = std::getenv("KELMOT_PROBE_MINIMISE");
    minimise = minimiseSetting && std::strcmp(minimiseSetting, "1") == 0;
    const char* phaseSetting = std::getenv("KELMOT_PROBE_PHASE_MS");
    if (phaseSetting && std::atoll(phaseSetting) > 0)
        phaseNs = std::atoll(phaseSetting) * 1'000'000;
    Report("loaded", loaded);
}

// Sums the resident memory of /proc/self/smaps by what is mapped: each file by
// its path, anonymous memory (the heap included) as "[anonymous]", and reports
// each sum.
void ReportMappings() {
    std::FILE* smaps = std::fopen("/proc/self/smaps", "r");
    if (!smaps) return;
    std::map<std::string, long> residentKb;
    std::string current;
    char line[4096];
    while (std::fgets(line, sizeof line, smaps)) {
        unsigned long start = 0, end = 0;
        int pathAt = 0;
        if (std::sscanf(line, "%lx-%lx %*s %*s %*s %*s %n", &start, &end, &pathAt) == 2 &&
            pathAt > 0) {
            std::string path = line + pathAt;
            while (!path.empty() && (path.back() == '\n' || path.back() == ' ')) path.pop_back();
            current = path.empty() || path == "[heap]" ? "[anonymous]" : path;
            continue;
        }
        long kb = 0;
        if (std::sscanf(line, "Rss: %ld kB", &kb) == 1) residentKb[current] += kb;
    }
    std::fclose(smaps);
    for (const auto& [path, kb] : residentKb) {
        char report[4200];
        const int length =
            std::snprintf(report, sizeof report, "mapping %ld %s\n", kb, path.c_str());
        if (length > 0 && length < int(sizeof report) &&
            write(reportFd, report, size_t(length)) != length)
            _exit(3);
    }
}

// The start-up dialog: GTK is looked up in the copy the program has loaded (its
// dialog module keeps GTK to itself). Once the dialog is shown, its default
// button is activated a little later.
template <typename Function> Function Gtk(const char* name) {
    static void* const gtk = dlopen("libgtk-3.so.0", RTLD_LAZY | RTLD_NOLOAD);
    void* function = gtk != nullptr ? dlsym(gtk, name) : nullptr;
    if (function == nullptr) _exit(5);
    return reinterpret_cast<Function>(function);
}

// Clicks the dialog's default button, OK, as its Enter key does (a button's own
// keyboard activation would first show it pressed for a quarter of a second).
int PressOk(void* window) {
    Report("ok", Now(CLOCK_MONOTONIC));
    void* ok = Gtk<void* (*)(void*)>("gtk_window_get_default_widget")(window);
    if (ok == nullptr) _exit(5);
    Gtk<void (*)(void*)>("gtk_button_clicked")(ok);
    return 0; // once
}

} // namespace

extern "C" void gtk_widget_show_all(void* widget) {
    Gtk<void (*)(void*)>("gtk_widget_show_all")(widget);
    if (reportFd < 0) return;
    using TimeoutAdd = unsigned (*)(unsigned, int (*)(void*), void*);
    Gtk<TimeoutAdd>("g_timeout_add")(500, PressOk, widget);
}

namespace {

// The script: each key is pressed at its frame and let go three frames later, so
// the game sees it in at least one frame. Menu frames come first: Down, Up, then
// Enter on "New Game VS. Computer"; moves with the arrows and Enter, R, a move,
// ESC; then Multiplayer Options, "Player1 Has The" toggled and Done (which
// saves prefs.txt: session_bench checks it), and a second game with ESC.
struct Press {
    long frame;
    SDL_Scancode key;
};
constexpr Press script[] = {
    {20, SDL_SCANCODE_DOWN},    {30, SDL_SCANCODE_UP},      {40, SDL_SCANCODE_RETURN},
    {60, SDL_SCANCODE_RETURN},  {80, SDL_SCANCODE_RIGHT},   {90, SDL_SCANCODE_RETURN},
    {110, SDL_SCANCODE_DOWN},   {120, SDL_SCANCODE_RETURN}, {140, SDL_SCANCODE_DOWN},
    {150, SDL_SCANCODE_RETURN}, {170, SDL_SCANCODE_LEFT},   {180, SDL_SCANCODE_RETURN},
    {200, SDL_SCANCODE_R},      {220, SDL_SCANCODE_RETURN}, {240, SDL_SCANCODE_ESCAPE},
    {260, SDL_SCANCODE_DOWN},   {270, SDL_SCANCODE_DOWN},   {280, SDL_SCANCODE_RETURN},
    {300, SDL_SCANCODE_DOWN},   {310, SDL_SCANCODE_RETURN}, {320, SDL_SCANCODE_DOWN},
    {330, SDL_SCANCODE_DOWN},   {340, SDL_SCANCODE_DOWN},   {350, SDL_SCANCODE_RETURN},
    {370, SDL_SCANCODE_UP},     {380, SDL_SCANCODE_UP},     {390, SDL_SCANCODE_RETURN},
    {410, SDL_SCANCODE_RETURN}, {420, SDL_SCANCODE_DOWN},   {430, SDL_SCANCODE_RETURN},
    {450, SDL_SCANCODE_RIGHT},  {460, SDL_SCANCODE_RETURN}, {480, SDL_SCANCODE_ESCAPE},
};
constexpr long scriptEnd = 520;

void PushKey(SDL_Window* window, SDL_Scancode key, bool down) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.windowID = SDL_GetWindowID(window);
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.scancode = key;
    event.key.keysym.sym = SDL_GetKeyFromScancode(key);
    event.key.keysym.mod = KMOD_NUM;
    SDL_PushEvent(&event);
}

void PlayScript(SDL_Window* window, long frame) {
    for (const Press& press : script) {
        if (press.frame == frame) PushKey(window, press.key, true);
        if (press.frame + 3 == frame) PushKey(window, press.key, false);
    }
}

// Waits for the frames to stop (the game has seen that it is minimised), then
// takes the processor time of the next five seconds.
void* MeasureMinimised(void*) {
    long seen = frames.load();
    for (int quiet = 0, waited = 0; quiet < 3 && waited < 50; ++waited) {
        usleep(100000);
        const long now = frames.load();
        quiet = now == seen ? quiet + 1 : 0;
        seen = now;
    }
    const int64_t start = Now(CLOCK_PROCESS_CPUTIME_ID);
    const long startFrames = frames.load();
    usleep(useconds_t(phaseNs / 1000));
    Report("minimised", Now(CLOCK_PROCESS_CPUTIME_ID) - start, frames.load() - startFrames);
    _exit(0);
}

// The shown phase runs in the frames after the script: five seconds of frames,
// then the window is minimised from the game's own thread.
int64_t shownStart = 0, shownCpuStart = 0;
long shownStartFrame = 0;

void AfterScript(SDL_Window* window, long frame) {
    if (frame == scriptEnd + 1) ReportMappings();
    if (!minimise) _exit(0);
    if (shownStart == 0) {
        shownStart = Now(CLOCK_MONOTONIC);
        shownCpuStart = Now(CLOCK_PROCESS_CPUTIME_ID);
        shownStartFrame = frame;
        return;
    }
    if (Now(CLOCK_MONOTONIC) - shownStart < phaseNs) return;
    if (shownCpuStart < 0) return; // minimised already; frames drawn since then are counted
    const int64_t used = Now(CLOCK_PROCESS_CPUTIME_ID) - shownCpuStart;
    const int64_t took = Now(CLOCK_MONOTONIC) - shownStart;
    // Scaled to exactly the phase's length.
    Report("shown", int64_t(double(used) * double(phaseNs) / double(took)),
           frame - shownStartFrame);
    // Frames a second over the phase, in hundredths, beside the display's
    // refresh rate (0 where it does not say).
    SDL_DisplayMode mode{};
    const int display = SDL_GetWindowDisplayIndex(window);
    if (display < 0 || SDL_GetCurrentDisplayMode(display, &mode) != 0) mode.refresh_rate = 0;
    Report("rate", int64_t(double(frame - shownStartFrame) * 1e11 / double(took)),
           mode.refresh_rate);
    shownCpuStart = -1;
    SDL_MinimizeWindow(window);
    pthread_t thread;
    if (pthread_create(&thread, nullptr, MeasureMinimised, nullptr) != 0) _exit(4);
}

} // namespace

extern "C" void SDL_GL_SwapWindow(SDL_Window* window) {
    using Swap = void (*)(SDL_Window*);
    static const auto realSwap = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
    realSwap(window);
    const long frame = ++frames;
    if (reportFd < 0) return;
    if (frame == 1) {
        Report("first", Now(CLOCK_MONOTONIC));
        if (firstOnly) {
            ReportMappings();
            _exit(0);
        }
    }
    if (frame <= scriptEnd)
        PlayScript(window, frame);
    else
        AfterScript(window, frame);
}
