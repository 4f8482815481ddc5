// A save of prefs.txt cut short by SIGKILL at a random moment must leave either
// the old or the new file, complete: never a partial, empty or missing one.

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <random>
#include <string>
#include <sys/types.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include <gtest/gtest.h>

#include "prefs_fixture.h"
#include "settings/prefs_file.h"

namespace {

// Two records whose files differ in length and in every line.
constexpr Values first{1, 1, 1, 0, 1, 1, 1, 1, 1, 0, 1};
constexpr Values second{INT32_MIN, -1234567, 7, 1, 0, 0, 0, 0, 3, 1, INT32_MAX};

using InterruptedSaveTest = ScratchFolderTest;

// Saves the two records in turn until it is killed.
[[noreturn]] void SaveForever() {
    const Settings records[2] = {RecordOf(second), RecordOf(first)};
    for (uint64_t turn = 0;; ++turn) SavePreferences(records[turn % 2]);
}

TEST_F(InterruptedSaveTest, KilledSaveLeavesOldOrNewFile) {
    const std::string firstText = PrefsText(first);
    const std::string secondText = PrefsText(second);
    SavePreferences(RecordOf(first));
    ASSERT_EQ(ReadFile(), firstText);

    // The moments are drawn from a few save times, so most kills land inside one.
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    constexpr int timedSaves = 20;
    for (int i = 0; i < timedSaves; ++i) SavePreferences(RecordOf(i % 2 ? first : second));
    const auto saveTime = (Clock::now() - start) / timedSaves;
    SavePreferences(RecordOf(first));
    const int64_t longest = std::clamp<int64_t>(
        std::chrono::duration_cast<std::chrono::microseconds>(saveTime * 4).count(), 2000, 50000);

    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("random seed " + std::to_string(seed) + ", moments up to " +
                 std::to_string(longest) + " us");
    std::mt19937 random(seed);
    std::uniform_int_distribution<int64_t> moment(0, longest);

    constexpr int kills = 300;
    int newFileKills = 0; // a save was written through and renamed
    int midSaveKills = 0; // the temporary file was there: the kill cut a save short
    for (int kill = 0; kill < kills; ++kill) {
        const pid_t child = fork();
        ASSERT_GE(child, 0) << "fork failed";
        if (child == 0) SaveForever();
        std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the saving process ended on its own, status " << status;

        ASSERT_TRUE(Exists("prefs.txt")) << "prefs.txt is missing after kill " << kill;
        const std::string text = ReadFile();
        ASSERT_TRUE(text == firstText || text == secondText)
            << "after kill " << kill << " prefs.txt holds " << text.size() << " bytes:\n"
            << text;
        if (text == secondText) ++newFileKills;
        if (Exists("prefs.txt.new")) ++midSaveKills;

        // The file left behind must read as what it holds.
        settings = Settings{};
        ReadPreferences(settings, settingsCount);
        ASSERT_EQ(ValuesOf(), text == firstText ? first : second);
        // Start the next round from the first record again.
        if (text != firstText) SavePreferences(RecordOf(first));
    }
    // Without these the loop proved nothing: the kills must have landed both
    // after whole saves and in the middle of one.
    EXPECT_GT(newFileKills, 0);
    EXPECT_GT(midSaveKills, 0);
}

} // namespace
