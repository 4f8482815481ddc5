#include "platform/linux/signal_watcher.h"

#include <SDL2/SDL.h>
#include <dirent.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>

#include "platform/linux/mode_guard.h"

namespace {

// The event type a signal becomes, or 0 while signals are dropped. The watcher
// holds the lock from reading it to the end of its push, so that once it is
// changed no push made for the old value is still under way.
std::mutex targetLock;
uint32_t targetEvent = 0;

std::atomic<bool> endRequested = false;
std::atomic<bool> boxShowing = false;

void PushEvent(uint32_t type) {
    SDL_Event event{};
    event.type = type;
    SDL_PushEvent(&event);
}

// The parent process named in /proc/PROCESS/stat, or 0.
pid_t ParentOf(const char* process) {
    // Room for any name a folder entry can have.
    char path[sizeof "/proc//stat" + NAME_MAX];
    std::snprintf(path, sizeof path, "/proc/%s/stat", process);
    FILE* file = std::fopen(path, "r");
    if (file == nullptr) return 0;
    char stat[512] = {};
    const size_t length = std::fread(stat, 1, sizeof stat - 1, file);
    std::fclose(file);
    stat[length] = '\0';
    // The name in parentheses may hold anything; the fields after it do not.
    const char* afterName = std::strrchr(stat, ')');
    char state = 0;
    int parent = 0;
    return afterName != nullptr && std::sscanf(afterName + 1, " %c %d", &state, &parent) == 2
               ? pid_t(parent)
               : 0;
}

// Ends the message box's process: every child of the game but the mode guard.
void EndBoxProcesses() {
    DIR* processes = opendir("/proc");
    if (processes == nullptr) return;
    const pid_t game = getpid();
    while (const dirent* entry = readdir(processes)) {
        const pid_t process = pid_t(std::atoi(entry->d_name));
        if (process > 0 && process != ModeGuardProcess() && ParentOf(entry->d_name) == game)
            kill(process, SIGKILL);
    }
    closedir(processes);
}

void EndSignalled() {
    endRequested = true;
    {
        const std::lock_guard<std::mutex> hold(targetLock);
        if (targetEvent != 0) PushEvent(SDL_QUIT);
    }
    // A box being opened just now may not have its process yet.
    while (boxShowing) {
        EndBoxProcesses();
        SDL_Delay(20);
    }
}

} // namespace

void StartSignalWatcher() {
    static bool started = false;
    if (started) return;
    started = true;

    sigset_t watched;
    sigemptyset(&watched);
    sigaddset(&watched, SIGUSR1);
    for (const int end : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction action {};
        if (sigaction(end, nullptr, &action) == 0 && action.sa_handler != SIG_IGN)
            sigaddset(&watched, end);
    }
    pthread_sigmask(SIG_BLOCK, &watched, nullptr);
    // The signals are taken here, outside any handler, so that events can be
    // pushed with the ordinary, thread-safe SDL call.
    std::thread([watched] {
        for (;;) {
            int signal = 0;
            if (sigwait(&watched, &signal) != 0) continue;
            if (signal != SIGUSR1) {
                EndSignalled();
                continue;
            }
            const std::lock_guard<std::mutex> hold(targetLock);
            if (targetEvent != 0) PushEvent(targetEvent);
        }
    }).detach();
}

void SetModeToggleTarget(uint32_t eventType) {
    const std::lock_guard<std::mutex> hold(targetLock);
    targetEvent = eventType;
    // An end signal that came while no window was open ends the next one.
    if (eventType != 0 && endRequested) PushEvent(SDL_QUIT);
}

bool EndRequested() { return endRequested; }

void MessageBoxShowing(bool showing) { boxShowing = showing; }
