#pragma once

#include <cstdint>

#include "platform/linux/config_dialog_view.h"

// The start-up dialog's GTK window lives in a module of its own, loaded from
// beside the game only when the dialog is shown, so that a start without the
// dialog loads none of GTK. The module's one entry point runs the dialog as
// RunGtkConfigDialog does.
constexpr const char* configDialogModuleName = "kelmot-dialog.so";
constexpr const char* configDialogEntryName = "KelmotRunConfigDialog";

extern "C" int32_t KelmotRunConfigDialog(Settings* options, DisplayChoice* mode,
                                         DialogQuitCheck quitRequested, DialogKeyCheck keys);
using ConfigDialogEntry = decltype(&KelmotRunConfigDialog);
