#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "settings/settings.h"
#include "support/scratch_folder.h"

// The eleven options in file order, so that expectations read like the file.
using Values = std::array<int32_t, settingsCount>;

// prefs.txt is written in text mode: a line break comes out as "\n", or as
// "\r\n" on a system that translates it there. Found out by writing one.
const std::string& TextLineEnd();
// The text as text mode writes it, each "\n" as TextLineEnd().
std::string AsWritten(const std::string& text);

constexpr Values defaultValues{1, 1, 1, 0, 1, 1, 1, 1, 1, 0, 1};
inline const std::string defaultText =
    AsWritten("gofirst=1\nxoro=1\ncontrols=1\nwhofirst=0\nplayer1xoro=1\nplayer1controls=1\n"
              "player2controls=1\nconfigpanel=1\nres=1\nbpp=0\nfullscreen=1\n");

Values ValuesOf(const Settings& record = settings);
Settings RecordOf(const Values& values);

// "key=value" plus lineEnd for each value given, the keys in file order; by
// default as the game writes the file.
std::string PrefsText(const std::vector<std::string>& values,
                      const std::string& lineEnd = TextLineEnd());
std::string PrefsText(const Values& values, const std::string& lineEnd = TextLineEnd());

// A stream positioned at the start of these bytes, read as they are; the caller
// closes it. Null when no scratch file can be had.
std::FILE* OpenBytes(const std::string& bytes);

// Every test runs in a scratch folder of its own, with the options and the repair
// flag as the program starts with them.
class ScratchFolderTest : public testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    static void WriteFile(const std::string& text, const std::string& name = "prefs.txt") {
        ::WriteFile(name, text);
    }
    static std::string ReadFile(const std::string& name = "prefs.txt") { return ::ReadFile(name); }
    static bool Exists(const std::string& name) { return std::filesystem::exists(name); }
    const std::filesystem::path& Folder() const { return scratch->Path(); }

  private:
    std::optional<ScratchFolder> scratch;
};
