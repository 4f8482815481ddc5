#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "settings/settings.h"

// The text of prefs.txt for a record: one "key=value\n" line per entry, in order.
std::string FormatPreferences(const Settings& record);

// What became of one "key=value" entry of the file.
enum class EntryOutcome {
    stored,     // the value was converted
    malformed,  // the text does not fit "key=", or no digit follows the "="
    endOfInput, // the file ended before a value was converted
};

// Matches one entry at the current position of the file: the key and "=" exactly
// as written, then an optionally signed decimal after any whitespace, then any run
// of whitespace. A value that does not fit in 32 bits makes the entry malformed.
EntryOutcome MatchPreferenceEntry(std::FILE* file, const char* key, int32_t& value);

// Reads the first count entries of the file into the record. An entry that meets
// the end of the file leaves its field as it was. Returns false at the first
// malformed entry, whose predecessors have already been stored.
bool ParsePreferences(std::FILE* file, Settings& record, int32_t count);
