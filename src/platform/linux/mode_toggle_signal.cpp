#include "platform/linux/mode_toggle_signal.h"

#include <SDL2/SDL.h>
#include <pthread.h>
#include <signal.h>

#include <mutex>
#include <thread>

namespace {

// The event type a signal becomes, or 0 while signals are dropped. The watcher
// holds the lock from reading it to the end of its push, so that once it is
// changed no push made for the old value is still under way.
std::mutex targetLock;
uint32_t targetEvent = 0;

} // namespace

void StartModeToggleWatcher() {
    static bool started = false;
    if (started) return;
    started = true;

    sigset_t toggleSignal;
    sigemptyset(&toggleSignal);
    sigaddset(&toggleSignal, SIGUSR1);
    pthread_sigmask(SIG_BLOCK, &toggleSignal, nullptr);
    // The signal is taken here, outside any handler, so that the event can be
    // pushed with the ordinary, thread-safe SDL call.
    std::thread([toggleSignal] {
        for (;;) {
            int signal = 0;
            if (sigwait(&toggleSignal, &signal) != 0) continue;
            const std::lock_guard<std::mutex> hold(targetLock);
            if (targetEvent == 0) continue;
            SDL_Event event{};
            event.type = targetEvent;
            SDL_PushEvent(&event);
        }
    }).detach();
}

void SetModeToggleTarget(uint32_t eventType) {
    const std::lock_guard<std::mutex> hold(targetLock);
    targetEvent = eventType;
}
