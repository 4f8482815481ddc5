// The entry point of kelmot-dialog.so; everything else in the module stays
// hidden.

#include "platform/linux/config_dialog_module.h"

extern "C" __attribute__((visibility("default"))) int32_t
KelmotRunConfigDialog(Settings* options, DisplayChoice* mode, DialogQuitCheck quitRequested,
                      DialogKeyCheck keys) {
    return RunGtkConfigDialog(options, mode, quitRequested, keys);
}
