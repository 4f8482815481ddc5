#pragma once

#include <cstdint>

#include "settings/config_dialog.h"
#include "settings/settings.h"

// Shows the start-up dialog, as each system draws it, until OK is pressed; OK
// writes the choices into options and mode by the dialog's rules. 1 after OK; 0
// when the dialog could not be shown, with nothing changed; -1 when the program
// was told to end while it was up, with nothing changed.
int32_t ShowConfigDialog(Settings* options, DisplayChoice* mode);
