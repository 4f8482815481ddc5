#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "settings/settings.h"

// The eleven options in file order, so that expectations read like the file.
using Values = std::array<int32_t, settingsCount>;

constexpr Values defaultValues{1, 1, 1, 0, 1, 1, 1, 1, 1, 0, 1};
inline const std::string defaultText =
    "gofirst=1\nxoro=1\ncontrols=1\nwhofirst=0\nplayer1xoro=1\nplayer1controls=1\n"
    "player2controls=1\nconfigpanel=1\nres=1\nbpp=0\nfullscreen=1\n";

Values ValuesOf(const Settings& record = settings);
Settings RecordOf(const Values& values);

// "key=value" plus lineEnd for each value given, the keys in file order.
std::string PrefsText(const std::vector<std::string>& values, const std::string& lineEnd = "\n");
std::string PrefsText(const Values& values, const std::string& lineEnd = "\n");

// Every test runs in an empty folder of its own, made current, with the options
// and the repair flag as the program starts with them. prefs.txt is always the
// relative name, so nothing outside the scratch folder is touched.
class ScratchFolderTest : public testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    static void WriteFile(const std::string& text, const std::string& name = "prefs.txt");
    static std::string ReadFile(const std::string& name = "prefs.txt");
    static bool Exists(const std::string& name);

    std::filesystem::path folder;

  private:
    std::filesystem::path home;
};
