#include "prefs_fixture.h"

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
    scratch.emplace();
    settings = Settings{};
    prefsRepairPending = 0;
}

void ScratchFolderTest::TearDown() { scratch.reset(); }
