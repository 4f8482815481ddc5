#pragma once

#include <cstdint>

#include "settings/settings.h"

// prefs.txt in the working directory: the only place the options are kept.
// Failures are never shown to the player: a missing, empty or malformed file is
// replaced by the default file, and a file that cannot be written leaves the old
// one as it was (with a line on standard error).

// 1 only while a malformed file is being replaced by the default file.
extern uint8_t prefsRepairPending;

// True when prefs.txt cannot be opened for reading or holds no bytes.
bool PreferencesMissingOrEmpty();

// Writes the default file. During a repair it then reads that file back into
// settings. Always returns 0.
int32_t WriteDefaultPreferences();

// Reads the first count entries (at most 11) of prefs.txt into the record, which
// is always the global settings. A malformed file is replaced by the default
// file (kept when that cannot be written), and settings then holds the defaults.
void ReadPreferences(Settings& record, int32_t count);

// Replaces prefs.txt with the record's eleven values.
void SavePreferences(const Settings& record);
