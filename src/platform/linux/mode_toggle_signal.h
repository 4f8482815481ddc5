#pragma once

#include <cstdint>

// SIGUSR1 from another program switches the game between full screen and a
// window. Blocks SIGUSR1 in the calling thread and starts a thread that waits for
// it; call before any other thread exists, so that every thread inherits the
// block. Further calls do nothing.
void StartModeToggleWatcher();

// Each SIGUSR1 becomes an event of this type (0: signals are dropped). Returns
// only once no event of the type it replaces is being pushed any more.
void SetModeToggleTarget(uint32_t eventType);
