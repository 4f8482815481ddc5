// Feeds arbitrary bytes to the prefs.txt reader, twice over:
//  - the parser on its own, through an in-memory stream, against a small
//    independent reading of the file's rules (key and "=" exactly at the
//    position, an optionally signed 32-bit decimal after any whitespace, any
//    whitespace after it, the end of the file leaving the rest as it was), and a
//    saved record must read back as itself;
//  - the bytes as prefs.txt in a scratch folder, read the way every window
//    set-up reads it: afterwards the file is either untouched (it read cleanly)
//    or exactly the default file with the defaults in memory, and no temporary
//    file is left behind.

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <unistd.h>

#include "settings/prefs_file.h"
#include "settings/prefs_format.h"

namespace {

int homeFolder = -1;
int scratchFolder = -1;
char scratchPath[64];

void RemoveScratch() {
    if (scratchFolder < 0) return;
    unlinkat(scratchFolder, "prefs.txt", 0);
    unlinkat(scratchFolder, "prefs.txt.new", 0);
    rmdir(scratchPath);
}

// A finding leaves the scratch folder first, so that libFuzzer writes the input
// where it was started, and removes it.
void Check(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "prefs_fuzz: %s\n", what);
    if (homeFolder >= 0 && fchdir(homeFolder) != 0) std::perror("prefs_fuzz");
    RemoveScratch();
    std::abort();
}

// A record unlike the defaults, so that a key the file does not reach shows.
Settings Preset() {
    Settings record;
    for (int32_t i = 0; i < settingsCount; ++i) record.*settingsEntries[i].field = 20 + i;
    return record;
}

bool SameRecord(const Settings& a, const Settings& b) {
    for (const SettingsEntry& entry : settingsEntries)
        if (a.*entry.field != b.*entry.field) return false;
    return true;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

struct Reading {
    bool wellFormed;
    Settings record;
};

// The rules of the file, read over the whole text at once.
Reading ReadByRules(std::string_view text, Settings record) {
    size_t at = 0;
    auto skipBlanks = [&] {
        while (at < text.size() && IsBlank(text[at])) ++at;
    };
    for (const SettingsEntry& entry : settingsEntries) {
        const std::string head = std::string(entry.key) + "=";
        const std::string_view rest = text.substr(at);
        if (rest.size() < head.size()) {
            // Only a true beginning of the key may be cut off by the end.
            if (std::string_view(head).substr(0, rest.size()) != rest) return {false, record};
            at = text.size();
            continue;
        }
        if (rest.substr(0, head.size()) != head) return {false, record};
        at += head.size();
        skipBlanks();
        if (at == text.size()) continue;
        const bool negative = text[at] == '-';
        if (text[at] == '-' || text[at] == '+') ++at;
        if (at == text.size() || text[at] < '0' || text[at] > '9') return {false, record};
        int64_t magnitude = 0;
        for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
            if (magnitude <= int64_t{1} << 32) magnitude = magnitude * 10 + (text[at] - '0');
        const int64_t value = negative ? -magnitude : magnitude;
        if (value < INT32_MIN || value > INT32_MAX) return {false, record};
        record.*entry.field = int32_t(value);
        skipBlanks();
    }
    return {true, record};
}

// ParsePreferences over an in-memory copy of the bytes.
Reading ParseBytes(std::string_view text, Settings record) {
    // An empty stream cannot be opened in memory; a file with nothing in it reads
    // as a file whose first key meets the end.
    static const char nothing = 0;
    std::FILE* stream = text.empty() ? fmemopen(const_cast<char*>(&nothing), 1, "r")
                                     : fmemopen(const_cast<char*>(text.data()), text.size(), "r");
    Check(stream != nullptr, "fmemopen failed");
    if (text.empty()) std::fgetc(stream); // at the end from the start
    const bool wellFormed = ParsePreferences(stream, record, settingsCount);
    std::fclose(stream);
    return {wellFormed, record};
}

void WriteAll(const char* name, std::string_view bytes) {
    const int fd = open(name, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    Check(fd >= 0, "cannot write prefs.txt in the scratch folder");
    Check(write(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size()), "short write");
    close(fd);
}

bool ReadAll(const char* name, std::string& bytes) {
    bytes.clear();
    const int fd = open(name, O_RDONLY);
    if (fd < 0) return false;
    char buffer[4096];
    ssize_t got;
    while ((got = read(fd, buffer, sizeof buffer)) > 0) bytes.append(buffer, size_t(got));
    close(fd);
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Memory-backed when it can be: a repair syncs the file it writes.
    std::strcpy(scratchPath, access("/dev/shm", W_OK) == 0 ? "/dev/shm/kelmot-prefs-fuzz-XXXXXX"
                                                           : "/tmp/kelmot-prefs-fuzz-XXXXXX");
    Check(mkdtemp(scratchPath) != nullptr, "cannot make a scratch folder");
    scratchFolder = open(scratchPath, O_RDONLY | O_DIRECTORY);
    homeFolder = open(".", O_RDONLY | O_DIRECTORY);
    Check(scratchFolder >= 0 && homeFolder >= 0, "cannot open the folders");
    std::atexit(RemoveScratch);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string defaultText = FormatPreferences(Settings{});

    // The parser against the rules.
    const Reading expected = ReadByRules(text, Preset());
    const Reading parsed = ParseBytes(text, Preset());
    Check(parsed.wellFormed == expected.wellFormed, "parser and rules disagree on the verdict");
    if (expected.wellFormed)
        Check(SameRecord(parsed.record, expected.record), "parser and rules read other values");

    // Whatever was read saves as a file that reads back as the same record.
    if (expected.wellFormed) {
        const std::string saved = FormatPreferences(expected.record);
        const Reading again = ParseBytes(saved, Settings{});
        Check(again.wellFormed && SameRecord(again.record, expected.record),
              "a saved record does not read back as itself");
    }

    // The whole file, as the game reads it after opening a window.
    Check(fchdir(scratchFolder) == 0, "cannot enter the scratch folder");
    unlink("prefs.txt.new");
    WriteAll("prefs.txt", text);
    settings = Preset();
    prefsRepairPending = 0;
    if (PreferencesMissingOrEmpty()) WriteDefaultPreferences();
    ReadPreferences(settings, settingsCount);

    std::string after;
    const bool present = ReadAll("prefs.txt", after);
    const bool leftover = access("prefs.txt.new", F_OK) == 0;
    Check(fchdir(homeFolder) == 0, "cannot leave the scratch folder");

    Check(present, "prefs.txt is gone");
    Check(!leftover, "prefs.txt.new was left behind");
    Check(prefsRepairPending == 0, "the repair flag stayed set");
    if (size != 0 && expected.wellFormed) {
        Check(after == text, "a file that reads cleanly was changed");
        Check(SameRecord(settings, expected.record), "settings differ from what the file says");
    } else {
        Check(after == defaultText, "an empty or malformed file was not replaced by the defaults");
        Check(SameRecord(settings, Settings{}), "settings are not the defaults after a repair");
    }
    return 0;
}
