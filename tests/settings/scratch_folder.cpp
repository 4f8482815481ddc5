#include "scratch_folder.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "settings/prefs_file.h"

Values ValuesOf(const Settings& record) {
    Values values{};
    for (int i = 0; i < settingsCount; ++i) values[i] = record.*settingsEntries[i].field;
    return values;
}

Settings RecordOf(const Values& values) {
    Settings record;
    for (int i = 0; i < settingsCount; ++i) record.*settingsEntries[i].field = values[i];
    return record;
}

std::string PrefsText(const std::vector<std::string>& values, const std::string& lineEnd) {
    std::string text;
    for (size_t i = 0; i < values.size(); ++i)
        text += std::string(settingsEntries[i].key) + "=" + values[i] + lineEnd;
    return text;
}

std::string PrefsText(const Values& values, const std::string& lineEnd) {
    std::vector<std::string> strings;
    for (int32_t value : values) strings.push_back(std::to_string(value));
    return PrefsText(strings, lineEnd);
}

void ScratchFolderTest::SetUp() {
    home = std::filesystem::current_path();
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern =
        (std::filesystem::path(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") / "kelmot-XXXXXX")
            .string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr) << "cannot make a scratch folder";
    folder = pattern;
    std::filesystem::current_path(folder);
    settings = Settings{};
    prefsRepairPending = 0;
}

void ScratchFolderTest::TearDown() {
    std::filesystem::current_path(home);
    if (folder.empty()) return;
    std::error_code ignored;
    // A test may have left the folder read-only.
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(folder, ignored);
}

void ScratchFolderTest::WriteFile(const std::string& text, const std::string& name) {
    std::ofstream(name, std::ios::binary) << text;
}

std::string ScratchFolderTest::ReadFile(const std::string& name) {
    std::ifstream file(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool ScratchFolderTest::Exists(const std::string& name) { return std::filesystem::exists(name); }
