#include "platform/linux/mode_toggle_signal.h"

#include <SDL2/SDL.h>
#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <thread>

namespace {

std::atomic<uint32_t> targetEvent{0};

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
            SDL_Event event{};
            event.type = targetEvent.load();
            if (event.type != 0) SDL_PushEvent(&event);
        }
    }).detach();
}

void SetModeToggleTarget(uint32_t eventType) { targetEvent.store(eventType); }
