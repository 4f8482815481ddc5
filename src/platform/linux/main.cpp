#include "platform/linux/signal_watcher.h"
#include "shell/main_loop.h"

int main() {
    // Before anything starts a thread, so that only the watcher takes the
    // signals it watches.
    StartSignalWatcher();
    return RunGame(nullptr);
}
