#pragma once
// Frames no more often than the display can show them. Where the buffer swap
// waits for the display, each frame is due by the time the swap returns; where
// it does not (vsync off or refused, a remote or virtual display), the window
// loop waits for the next message until the frame is due instead of drawing
// again at once.

#include <cstdint>

struct FramePace {
    int64_t periodMicroseconds = 16'333; // a little under one refresh of the display
    int64_t nextFrameAt = 0;             // on the system's microsecond clock
};

// Sets the period from the display's refresh rate in hertz; 60 where the
// display does not say. The period is 2 % short of the refresh, so that a swap
// that does wait for the display always finds the next frame due.
void SetRefreshRate(FramePace* pace, int32_t hertz);

// The whole milliseconds, rounded up, until the next frame is due at now (a
// microsecond clock); 0 when it is due, and then the one after it is due a
// period later. A frame late by more than a period starts the count anew
// rather than hurrying the ones after it.
uint32_t MillisecondsBeforeFrame(FramePace* pace, int64_t now);
