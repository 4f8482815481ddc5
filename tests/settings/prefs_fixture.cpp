#include "prefs_fixture.h"

#include <random>
#include <stdexcept>

#include "settings/prefs_file.h"

const std::string& TextLineEnd() {
    static const std::string lineEnd = [] {
        std::random_device seed;
        const std::filesystem::path probe = std::filesystem::temp_directory_path() /
                                            ("kelmot-line-end-" + std::to_string(seed()) + ".txt");
        std::FILE* file = std::fopen(probe.string().c_str(), "w");
        if (file == nullptr) throw std::runtime_error("cannot write " + probe.string());
        std::fputc('\n', file);
        std::fclose(file);
        const std::string written = ReadFile(probe.string());
        std::filesystem::remove(probe);
        return written;
    }();
    return lineEnd;
}

std::string AsWritten(const std::string& text) {
    std::string written;
    for (const char c : text) {
        if (c == '\n')
            written += TextLineEnd();
        else
            written += c;
    }
    return written;
}

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

std::FILE* OpenBytes(const std::string& bytes) {
    std::FILE* file = std::tmpfile();
    if (file == nullptr) return nullptr;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
        std::fclose(file);
        return nullptr;
    }
    std::rewind(file);
    return file;
}

void ScratchFolderTest::SetUp() {
    scratch.emplace();
    settings = Settings{};
    prefsRepairPending = 0;
}

void ScratchFolderTest::TearDown() { scratch.reset(); }
