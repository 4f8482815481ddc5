#include "settings/config_dialog.h"

const int32_t resolutionSizes[resolutionCount][2] = {
    {1280, 1024}, {1024, 768}, {800, 600}, {640, 480}};

ConfigDialogControls InitialDialogControls(const Settings& options) {
    ConfigDialogControls controls;
    if (options.bpp != 0)
        controls.depth32Checked = 1;
    else
        controls.depth16Checked = 1;
    if (options.res >= 0 && options.res < resolutionCount)
        controls.resolutionChecked[options.res] = 1;
    controls.fullscreenChecked = options.fullscreen != 0 ? 1 : 0;
    return controls;
}

void ApplyDialogChoices(const ConfigDialogControls& controls, Settings* options,
                        DisplayChoice* mode) {
    if (controls.fullscreenChecked != 0) {
        options->fullscreen = 1;
        if (mode->fullscreenMode != 0) {
            for (int32_t res = 0; res < resolutionCount; ++res) {
                if (controls.resolutionChecked[res] == 0) continue;
                mode->width = resolutionSizes[res][0];
                mode->height = resolutionSizes[res][1];
                options->res = res;
                break;
            }
        }
    } else {
        // Windowed: the window keeps the screen size, whatever size is checked.
        options->fullscreen = 0;
        mode->fullscreenMode = 0;
    }

    if (controls.depth16Checked != 0) {
        mode->colourBits = 16;
        options->bpp = 0;
    } else if (controls.depth32Checked != 0) {
        mode->colourBits = 32;
        options->bpp = 1;
    }
}
