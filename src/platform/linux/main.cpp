#include "platform/linux/mode_toggle_signal.h"
#include "shell/main_loop.h"

int main() {
    // Before anything starts a thread, so that only the watcher takes SIGUSR1.
    StartModeToggleWatcher();
    return RunGame(nullptr);
}
