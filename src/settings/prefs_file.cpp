#include "settings/prefs_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/files.h"
#include "settings/prefs_format.h"

uint8_t prefsRepairPending = 0;

namespace {

const char* const prefsPath = "prefs.txt";
// Written in full first, then renamed over prefsPath, so that an interrupted or
// failed save never leaves a truncated file behind. Only where the folder
// forbids making this file is prefsPath written in place.
const char* const prefsNewPath = "prefs.txt.new";

// Set while a repair reads back the default file it has just written, so that a
// file that still does not read back cleanly cannot start another repair.
bool readingBackRepair = false;

// Writes the whole text into path (created or truncated), flushed to the disk.
// 0, or the error of the first step that failed; *opened tells whether the file
// could be opened for writing at all.
int WriteFlushed(const char* path, const std::string& text, bool* opened) {
    // errno is not promised to be set by every stdio failure.
    int error = 0;
    auto fail = [&error] {
        if (error == 0) error = errno != 0 ? errno : EIO;
    };
    errno = 0;
    std::FILE* file = std::fopen(path, "w");
    *opened = file != nullptr;
    if (file == nullptr) {
        fail();
        return error;
    }
    if (std::fwrite(text.data(), 1, text.size(), file) != text.size() || !FlushToDisk(file)) fail();
    if (std::fclose(file) != 0) fail();
    return error;
}

bool ReplacePreferencesFile(const std::string& text) {
    bool opened = false;
    int error = WriteFlushed(prefsNewPath, text, &opened);
    if (error == 0 && !RenameOver(prefsNewPath, prefsPath)) error = errno != 0 ? errno : EIO;
    if (opened && error != 0) std::remove(prefsNewPath);
    // A folder that lets nobody make files in it can still hold a prefs.txt that
    // may be written: that file is then rewritten where it stands. (Something
    // already standing under the new file's name is another matter.)
    std::error_code ignored;
    if (!opened && (error == EACCES || error == EPERM) &&
        !std::filesystem::exists(prefsNewPath, ignored))
        error = WriteFlushed(prefsPath, text, &opened);
    if (error != 0) {
        std::fprintf(stderr, "Kelmot: could not save %s: %s\n", prefsPath, std::strerror(error));
        return false;
    }
    return true;
}

} // namespace

bool PreferencesMissingOrEmpty() {
    std::FILE* file = std::fopen(prefsPath, "r");
    if (file == nullptr) return true;
    const long start = std::ftell(file);
    std::fseek(file, 0, SEEK_END);
    const long end = std::ftell(file);
    std::fclose(file);
    return start == end;
}

int32_t WriteDefaultPreferences() {
    const bool written = ReplacePreferencesFile(FormatPreferences(Settings{}));
    if (prefsRepairPending) {
        prefsRepairPending = 0;
        // The defaults hold even if the new file cannot be read back.
        settings = Settings{};
        if (written) {
            readingBackRepair = true;
            ReadPreferences(settings, settingsCount);
            readingBackRepair = false;
        }
    }
    return 0;
}

void ReadPreferences(Settings& record, int32_t count) {
    std::FILE* file = std::fopen(prefsPath, "r");
    // A file that vanished since it was looked for changes nothing.
    if (file == nullptr) return;
    const bool wellFormed = ParsePreferences(file, record, count);
    std::fclose(file);
    if (wellFormed) return;

    if (readingBackRepair) {
        record = Settings{};
        return;
    }
    // The default file is renamed over the malformed one, which therefore stays
    // when the default file cannot be written.
    prefsRepairPending = 1;
    WriteDefaultPreferences();
}

void SavePreferences(const Settings& record) { ReplacePreferencesFile(FormatPreferences(record)); }
