#include "platform/linux/mode_guard.h"

#include <SDL2/SDL.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/linux/monitor_change.h"

extern char** environ;

namespace {

constexpr const char* guardProgramName = "kelmot-mode-guard";

// The game's end of the guard's socket and the guard's process; -1 and 0 while
// none runs. A guard that cannot be started is not tried again.
int guardSocket = -1;
std::atomic<pid_t> guardProcess = 0;
bool guardFailed = false;

// Starts the guard, its standard input the other end of a socket (the game's
// end closes with the game, however it ends). posix_spawn, not fork(): the game
// runs threads of SDL's and the toolkit's. The guard gets a process group of
// its own, so that Ctrl+C in the terminal, meant for the game, leaves it to do
// its work, and no signal the game blocks.
bool StartGuard(Display* display) {
    char* folder = SDL_GetBasePath();
    const std::string path = std::string(folder != nullptr ? folder : "") + guardProgramName;
    SDL_free(folder);
    std::string displayName = DisplayString(display);
    std::string gameProcess = std::to_string(getpid());
    char* arguments[] = {const_cast<char*>(guardProgramName), displayName.data(),
                         gameProcess.data(), nullptr};

    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        std::fprintf(stderr, "kelmot: the display mode is not guarded: %s\n", std::strerror(errno));
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDIN_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGUSR1, SIGPIPE})
        sigaddset(&defaults, signal);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF |
                                              POSIX_SPAWN_SETPGROUP);
    pid_t process = 0;
    const int failure =
        posix_spawn(&process, path.c_str(), &actions, &attributes, arguments, environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    close(ends[1]);
    if (failure != 0) {
        close(ends[0]);
        std::fprintf(stderr, "kelmot: the display mode is not guarded: %s: %s\n", path.c_str(),
                     std::strerror(failure));
        return false;
    }
    guardSocket = ends[0];
    guardProcess = process;
    return true;
}

void Tell(const std::string& line) {
    if (guardSocket < 0) return;
    // A guard that has gone away (killed by someone) must not take the game
    // with it: no SIGPIPE.
    if (send(guardSocket, line.data(), line.size(), MSG_NOSIGNAL) != ssize_t(line.size()))
        StopModeGuard();
}

} // namespace

void GuardMonitorChange(Display* display, const MonitorChange* change) {
    if (change == nullptr) {
        Tell("none\n");
        return;
    }
    if (guardSocket < 0 && !guardFailed) guardFailed = !StartGuard(display);
    Tell(MonitorChangeLine(*change));
}

int ModeGuardProcess() { return guardProcess; }

void StopModeGuard() {
    if (guardSocket < 0) return;
    close(guardSocket);
    guardSocket = -1;
    while (waitpid(guardProcess, nullptr, 0) < 0 && errno == EINTR) {
    }
    guardProcess = 0;
}
