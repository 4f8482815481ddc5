// The frame pace of a window whose swap does not wait for the display.

#include <gtest/gtest.h>

#include "shell/frame_pace.h"

namespace {

// At 60 Hz a frame is due every 16.333 ms: the first at once, the next after
// a wait rounded up to whole milliseconds (so never a wait of none while early),
// each on the schedule of the one before, and a late one starts it anew.
TEST(FramePace, FramesComeOncePerRefreshAndNeverWaitForNothing) {
    FramePace pace;
    SetRefreshRate(&pace, 60);
    EXPECT_EQ(pace.periodMicroseconds, 16'333);
    EXPECT_EQ(MillisecondsBeforeFrame(&pace, 1'000'000), 0u);
    EXPECT_EQ(MillisecondsBeforeFrame(&pace, 1'000'000), 17u);
    EXPECT_EQ(MillisecondsBeforeFrame(&pace, 1'016'000), 1u);
    // Woken 0.2 ms late: the next is still due 16.333 ms after this one was.
    EXPECT_EQ(MillisecondsBeforeFrame(&pace, 1'016'533), 0u);
    EXPECT_EQ(MillisecondsBeforeFrame(&pace, 1'017'000), 16u);
    // Two periods late: due at once, and the next a whole period later.
    EXPECT_EQ(MillisecondsBeforeFrame(&pace, 1'070'000), 0u);
    EXPECT_EQ(MillisecondsBeforeFrame(&pace, 1'070'000), 17u);
    // A display that does not say its rate is taken as 60 Hz; 144 Hz is faster.
    SetRefreshRate(&pace, 0);
    EXPECT_EQ(pace.periodMicroseconds, 16'333);
    SetRefreshRate(&pace, 144);
    EXPECT_EQ(pace.periodMicroseconds, 6'805);
}

} // namespace
