#include "settings/prefs_format.h"

namespace {

bool IsWhitespace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(int c) { return c >= '0' && c <= '9'; }

// Reads up to the first character that is not whitespace and leaves it unread.
// Returns that character, or EOF.
int SkipWhitespace(std::FILE* file) {
    int c;
    do {
        c = std::getc(file);
    } while (IsWhitespace(c));
    if (c != EOF) std::ungetc(c, file);
    return c;
}

} // namespace

std::string FormatPreferences(const Settings& record) {
    std::string text;
    char line[64];
    for (const SettingsEntry& entry : settingsEntries) {
        std::snprintf(line, sizeof line, "%s=%d\n", entry.key, int(record.*entry.field));
        text += line;
    }
    return text;
}

EntryOutcome MatchPreferenceEntry(std::FILE* file, const char* key, int32_t& value) {
    // The key and "=" must stand exactly here: no whitespace is skipped before them.
    for (const char* expected = key;; ++expected) {
        const int wanted = *expected != '\0' ? static_cast<unsigned char>(*expected) : '=';
        const int c = std::getc(file);
        if (c == EOF) return EntryOutcome::endOfInput;
        if (c != wanted) {
            std::ungetc(c, file);
            return EntryOutcome::malformed;
        }
        if (*expected == '\0') break;
    }

    if (SkipWhitespace(file) == EOF) return EntryOutcome::endOfInput;

    int c = std::getc(file);
    const bool negative = c == '-';
    if (c == '+' || c == '-') c = std::getc(file);
    // A sign with nothing after it is no number either.
    if (!IsDigit(c)) {
        if (c != EOF) std::ungetc(c, file);
        return EntryOutcome::malformed;
    }

    // Take every digit, so the position ends behind the number whatever its size.
    constexpr int64_t limit = int64_t{INT32_MAX} + 1;
    int64_t magnitude = 0;
    bool tooLarge = false;
    for (; IsDigit(c); c = std::getc(file)) {
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit) {
            tooLarge = true;
            magnitude = limit;
        }
    }
    if (c != EOF) std::ungetc(c, file);
    if (tooLarge || (!negative && magnitude == limit)) return EntryOutcome::malformed;

    value = static_cast<int32_t>(negative ? -magnitude : magnitude);
    SkipWhitespace(file);
    return EntryOutcome::stored;
}

bool ParsePreferences(std::FILE* file, Settings& record, int32_t count) {
    if (count > settingsCount) count = settingsCount;
    for (int32_t i = 0; i < count; ++i) {
        const SettingsEntry& entry = settingsEntries[i];
        int32_t value = 0;
        switch (MatchPreferenceEntry(file, entry.key, value)) {
        case EntryOutcome::stored:
            record.*entry.field = value;
            break;
        case EntryOutcome::malformed:
            return false;
        case EntryOutcome::endOfInput:
            break;
        }
    }
    return true;
}
