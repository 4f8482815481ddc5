#pragma once

#include <cstdint>

#include "settings/settings.h"

// The start-up dialog's rules, apart from its window: which controls start
// checked, and what OK makes of them. The window itself is config_dialog_view.

// The sizes the full-screen choices stand for, indexed by res.
constexpr int32_t resolutionCount = 4;
extern const int32_t resolutionSizes[resolutionCount][2];

// The states of the dialog's choices, 1 = checked. The resolutions are
// "1280x1024", "1024x768", "800x600" and "640x480", in that order.
struct ConfigDialogControls {
    int32_t resolutionChecked[resolutionCount] = {0, 0, 0, 0};
    int32_t depth16Checked = 0;
    int32_t depth32Checked = 0;
    int32_t fullscreenChecked = 0;
};

// The display mode of the game window, as far as the dialog decides it.
struct DisplayChoice {
    int32_t width = 0;
    int32_t height = 0;
    int32_t colourBits = 0;
    int32_t fullscreenMode = 0;
};

// The controls as the dialog opens: "32 bit" for a non-zero bpp, else "16 bit";
// the resolution res names (none for an unknown res); "Fullscreen?" for a
// non-zero fullscreen.
ConfigDialogControls InitialDialogControls(const Settings& options);

// OK: "Fullscreen?" sets fullscreen and, when the mode is full screen, takes the
// first checked resolution into the size and res; otherwise the mode becomes
// windowed at the size it had, and res stays. The checked depth sets colourBits
// and bpp; with none checked both stay.
void ApplyDialogChoices(const ConfigDialogControls& controls, Settings* options,
                        DisplayChoice* mode);
