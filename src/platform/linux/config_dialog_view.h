#pragma once

#include <cstdint>

#include "settings/config_dialog.h"
#include "settings/settings.h"

// The start-up dialog's window, in GTK. GTK is started only here. Its
// connection to the display stays open once the dialog is gone (GTK cannot close
// its default display cleanly), but nothing of GTK runs again.

// Asked every tenth of a second while the dialog is up; non-zero gives up the
// dialog (the program was told to end).
using DialogQuitCheck = int32_t (*)();

// Asked fifty times a second while the dialog is up, told whether the dialog
// is the active window (1) or not (0): the dialog keys (shell/gamepad_keys.h)
// the controllers pressed since it was last asked.
using DialogKeyCheck = uint32_t (*)(int32_t dialogActive);

// Shows the dialog until OK is pressed, then writes the choices into options and
// mode. Returns 1 after OK; 0 when there is no display for it, with nothing
// changed; -1 when quitRequested gave it up, with nothing changed. Either check
// may be null.
int32_t RunGtkConfigDialog(Settings* options, DisplayChoice* mode, DialogQuitCheck quitRequested,
                           DialogKeyCheck keys);
