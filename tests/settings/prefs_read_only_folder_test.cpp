// prefs.txt in a folder where no file can be made: saved in place where the file
// itself may be written, kept (with one line on standard error) where it may not.

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "prefs_fixture.h"
#include "settings/prefs_file.h"
#include "support/unprivileged.h"

namespace {

constexpr Values preset{20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30};
const char* const malformedText = "gofirst=0\nxoro=oops\n";

// A folder where no file can be made. Permission bits do not bind root, so as
// root each case runs as an unprivileged user.
class ReadOnlyFolderTest : public ScratchFolderTest {
  protected:
    // Runs body with prefs.txt holding text (left out when null, and read-only
    // when asked) in the read-only folder.
    void InReadOnlyFolder(const char* text, bool fileReadOnly, const std::function<void()>& body) {
        if (text != nullptr) WriteFile(text);
        AsUnprivilegedUser(Folder(), [&] {
            if (text != nullptr && fileReadOnly)
                std::filesystem::permissions("prefs.txt", std::filesystem::perms{0444});
            std::filesystem::permissions(Folder(), std::filesystem::perms{0555});
            // Unless permissions bind here, the cases below prove nothing.
            std::FILE* probe = std::fopen("probe", "w");
            const bool madeProbe = probe != nullptr;
            if (madeProbe) std::fclose(probe);
            ASSERT_FALSE(madeProbe) << "a read-only folder is still writable";
            body();
        });
    }

    const std::string oldText = PrefsText(Values{0, 0, 0, 1, 0, 0, 0, 0, 3, 1, 0});
};

TEST_F(ReadOnlyFolderTest, SaveRewritesAWritableFileInPlace) {
    InReadOnlyFolder(oldText.c_str(), false, [&] {
        settings = RecordOf(preset);
        testing::internal::CaptureStderr();
        SavePreferences(settings);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_EQ(ReadFile(), PrefsText(preset));
        // A longer old file leaves nothing of itself behind.
        settings = RecordOf(Values{1, 1, 1, 0, 1, 1, 1, 1, 1, 0, 1});
        SavePreferences(settings);
        EXPECT_EQ(ReadFile(), defaultText);
        EXPECT_FALSE(Exists("prefs.txt.new"));
    });
}

TEST_F(ReadOnlyFolderTest, MalformedWritableFileIsRepairedInPlace) {
    InReadOnlyFolder(malformedText, false, [&] {
        settings = RecordOf(preset);
        testing::internal::CaptureStderr();
        ReadPreferences(settings, settingsCount);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_EQ(ValuesOf(), defaultValues);
        EXPECT_EQ(prefsRepairPending, 0);
        EXPECT_EQ(ReadFile(), defaultText);
    });
}

TEST_F(ReadOnlyFolderTest, FailedSaveKeepsAReadOnlyFile) {
    InReadOnlyFolder(oldText.c_str(), true, [&] {
        settings = RecordOf(preset);
        testing::internal::CaptureStderr();
        SavePreferences(settings);
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  "Kelmot: could not save prefs.txt: Permission denied\n");
        EXPECT_EQ(ReadFile(), oldText);
    });
}

TEST_F(ReadOnlyFolderTest, RepairOfAReadOnlyFileRunsOnceAndLeavesDefaults) {
    InReadOnlyFolder(malformedText, true, [&] {
        settings = RecordOf(preset);
        testing::internal::CaptureStderr();
        ReadPreferences(settings, settingsCount);
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  "Kelmot: could not save prefs.txt: Permission denied\n");
        EXPECT_EQ(ValuesOf(), defaultValues);
        EXPECT_EQ(prefsRepairPending, 0);
        // The malformed file could not be replaced; the next start repairs again.
        EXPECT_EQ(ReadFile(), malformedText);
    });
}

// A prefs.txt the player may not read is as good as none: nothing read, nothing
// said, nothing written, and the file left as it was.
TEST_F(ReadOnlyFolderTest, UnreadableFileChangesNothing) {
    InReadOnlyFolder(malformedText, false, [&] {
        std::filesystem::permissions("prefs.txt", std::filesystem::perms::none);
        settings = RecordOf(preset);
        testing::internal::CaptureStderr();
        ReadPreferences(settings, settingsCount);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_EQ(ValuesOf(), preset);
        EXPECT_EQ(prefsRepairPending, 0);
        std::filesystem::permissions("prefs.txt", std::filesystem::perms::owner_read);
        EXPECT_EQ(ReadFile(), malformedText);
    });
}

TEST_F(ReadOnlyFolderTest, NoFileCanBeMade) {
    InReadOnlyFolder(nullptr, false, [&] {
        testing::internal::CaptureStderr();
        WriteDefaultPreferences();
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  "Kelmot: could not save prefs.txt: Permission denied\n");
        EXPECT_FALSE(Exists("prefs.txt"));
        EXPECT_TRUE(PreferencesMissingOrEmpty());
    });
}

} // namespace
