// kelmot-mode-guard: started by the game (mode_guard.h) with the X display's
// name and the game's process id, its standard input the game's socket. It
// keeps the last change the game told it of; once the game has gone (the
// socket closed, or the process ended while a child it forked still holds the
// socket) it undoes a change still standing on an X connection of its own, and
// ends.

#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <string>

#include "platform/linux/monitor_change.h"

namespace {

// What the game said last: a change standing, or none.
MonitorChange standing;
bool changeStanding = false;
std::string unread;

void TakeLines() {
    for (size_t end; (end = unread.find('\n')) != std::string::npos; unread.erase(0, end + 1)) {
        const std::string line = unread.substr(0, end);
        MonitorChange change;
        if (ReadMonitorChangeLine(line, &change)) {
            standing = change;
            changeStanding = true;
        } else if (line == "none") {
            changeStanding = false;
        }
    }
}

// Reads what the game wrote until the socket has no more now (once the game
// has gone: all it ever will) or has closed.
bool ReadGame(int socket) {
    char buffer[512];
    const ssize_t count = read(socket, buffer, sizeof buffer);
    if (count <= 0) return false;
    unread.append(buffer, size_t(count));
    TakeLines();
    return true;
}

// A descriptor that becomes readable when the game's process ends, or -1 where
// the system has none (the socket alone tells then).
int WatchProcess(pid_t game) {
    const int watch = int(syscall(SYS_pidfd_open, game, 0));
    // Opened after the game had gone, it would watch whoever took its number.
    if (watch >= 0 && getppid() != game) {
        close(watch);
        return -2;
    }
    return watch;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    // Signals meant for the game's terminal are not for the guard.
    for (const int signal : {SIGINT, SIGQUIT, SIGHUP, SIGTSTP, SIGPIPE})
        std::signal(signal, SIG_IGN);
    const int game = WatchProcess(pid_t(std::atoi(argv[2])));
    bool gameGone = game == -2;
    pollfd watched[2] = {{STDIN_FILENO, POLLIN, 0}, {game, POLLIN, 0}};
    while (!gameGone) {
        if (poll(watched, game >= 0 ? 2 : 1, -1) < 0) continue;
        // Closed: all the game wrote has been read.
        if (watched[0].revents != 0 && !ReadGame(STDIN_FILENO)) break;
        gameGone = game >= 0 && watched[1].revents != 0;
    }
    if (gameGone) {
        fcntl(STDIN_FILENO, F_SETFL, O_NONBLOCK);
        while (ReadGame(STDIN_FILENO)) {
        }
    }
    if (!changeStanding) return 0;
    Display* display = XOpenDisplay(argv[1]);
    if (display == nullptr) return 1;
    UndoMonitorChange(display, standing);
    XCloseDisplay(display);
    return 0;
}
