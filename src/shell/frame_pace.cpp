#include "shell/frame_pace.h"

void SetRefreshRate(FramePace* pace, int32_t hertz) {
    if (hertz <= 0) hertz = 60;
    pace->periodMicroseconds = 1'000'000 * 98 / (100 * int64_t(hertz));
}

uint32_t MillisecondsBeforeFrame(FramePace* pace, int64_t now) {
    const int64_t early = pace->nextFrameAt - now;
    if (early > 0) return uint32_t((early + 999) / 1000);
    if (-early >= pace->periodMicroseconds)
        pace->nextFrameAt = now + pace->periodMicroseconds;
    else
        pace->nextFrameAt += pace->periodMicroseconds;
    return 0;
}
