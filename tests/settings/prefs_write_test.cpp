#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "prefs_fixture.h"
#include "settings/prefs_file.h"

namespace {

constexpr Values preset{20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30};
const char* const malformedText = "gofirst=0\nxoro=oops\n";

using PreferencesWriteTest = ScratchFolderTest;

TEST_F(PreferencesWriteTest, DefaultFileReplacesWhateverWasThere) {
    WriteFile(std::string(500, 'z'));
    settings = RecordOf(preset);
    EXPECT_EQ(WriteDefaultPreferences(), 0);
    EXPECT_EQ(ReadFile(), AsWritten("gofirst=1\nxoro=1\ncontrols=1\nwhofirst=0\nplayer1xoro=1\n"
                                    "player1controls=1\nplayer2controls=1\nconfigpanel=1\nres=1\n"
                                    "bpp=0\nfullscreen=1\n"));
    // Outside a repair the record is left alone.
    EXPECT_EQ(ValuesOf(), preset);
    EXPECT_FALSE(Exists("prefs.txt.new"));
}

TEST_F(PreferencesWriteTest, DefaultFileDuringRepairReadsItBack) {
    settings = RecordOf(preset);
    prefsRepairPending = 1;
    EXPECT_EQ(WriteDefaultPreferences(), 0);
    EXPECT_EQ(prefsRepairPending, 0);
    EXPECT_EQ(ValuesOf(), defaultValues);
    EXPECT_EQ(ReadFile(), defaultText);
}

TEST_F(PreferencesWriteTest, SaveRoundTripsAnyValues) {
    const Values saved{0, -1, 7, 1, INT32_MAX, INT32_MIN, 0, 0, 3, 1, -42};
    // A long old file and a leftover from an interrupted save must not show through.
    WriteFile(defaultText + defaultText);
    WriteFile("stale", "prefs.txt.new");
    settings = RecordOf(saved);
    SavePreferences(settings);
    EXPECT_EQ(ReadFile(), PrefsText(saved));
    EXPECT_FALSE(Exists("prefs.txt.new"));

    settings = Settings{};
    ReadPreferences(settings, settingsCount);
    EXPECT_EQ(ValuesOf(), saved);
    EXPECT_EQ(ReadFile(), PrefsText(saved));
}

TEST_F(PreferencesWriteTest, SaveFillsInAShortFile) {
    WriteFile("gofirst=0\nxoro=0\n");
    ReadPreferences(settings, settingsCount);
    SavePreferences(settings);
    EXPECT_EQ(ReadFile(), PrefsText(Values{0, 0, 1, 0, 1, 1, 1, 1, 1, 0, 1}));
}

// A directory where the new file should go makes every write fail, even for root.
class BlockedWriteTest : public ScratchFolderTest {
  protected:
    void SetUp() override {
        ScratchFolderTest::SetUp();
        std::filesystem::create_directory("prefs.txt.new");
    }
};

TEST_F(BlockedWriteTest, FailedSaveKeepsOldFile) {
    const std::string old = PrefsText(Values{0, 0, 0, 1, 0, 0, 0, 0, 3, 1, 0}) + "\r\n";
    WriteFile(old);
    settings = RecordOf(preset);
    testing::internal::CaptureStderr();
    SavePreferences(settings);
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_EQ(ReadFile(), old);
    EXPECT_NE(message.find("prefs.txt"), std::string::npos) << message;
    EXPECT_EQ(message.back(), '\n');
    EXPECT_EQ(ValuesOf(), preset);
    EXPECT_TRUE(std::filesystem::is_directory("prefs.txt.new"));
}

TEST_F(BlockedWriteTest, FailedRepairLeavesDefaults) {
    WriteFile(malformedText);
    settings = RecordOf(preset);
    testing::internal::CaptureStderr();
    ReadPreferences(settings, settingsCount);
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_EQ(ValuesOf(), defaultValues);
    EXPECT_EQ(prefsRepairPending, 0);
    EXPECT_NE(message.find("prefs.txt"), std::string::npos) << message;
    // With no default file to take its place, the malformed file is kept.
    EXPECT_EQ(ReadFile(), malformedText);
}

} // namespace
