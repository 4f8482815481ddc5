// The start-up dialog in the browser: a modal form of the page with the same
// controls and texts as elsewhere, run by the dialog's rules of
// settings/config_dialog.h. Escape does nothing; OK is the way on.

#include <emscripten.h>

#include "platform/config_dialog_view.h"

namespace {

// The controls travel as bits: 0-3 the resolutions, 4 "16 bit", 5 "32 bit",
// 6 "Fullscreen?".
constexpr int depth16Bit = 1 << 4, depth32Bit = 1 << 5, fullscreenBit = 1 << 6;

int PackControls(const ConfigDialogControls& controls) {
    int bits = 0;
    for (int32_t res = 0; res < resolutionCount; ++res)
        if (controls.resolutionChecked[res] != 0) bits |= 1 << res;
    if (controls.depth16Checked != 0) bits |= depth16Bit;
    if (controls.depth32Checked != 0) bits |= depth32Bit;
    if (controls.fullscreenChecked != 0) bits |= fullscreenBit;
    return bits;
}

ConfigDialogControls UnpackControls(int bits) {
    ConfigDialogControls controls;
    for (int32_t res = 0; res < resolutionCount; ++res)
        controls.resolutionChecked[res] = (bits >> res) & 1;
    controls.depth16Checked = (bits & depth16Bit) != 0;
    controls.depth32Checked = (bits & depth32Bit) != 0;
    controls.fullscreenChecked = (bits & fullscreenBit) != 0;
    return controls;
}

// Shows the page's dialog with these controls checked and waits for OK; the
// controls as they were then, or -1 when the page has no dialog.
// clang-format off
EM_ASYNC_JS(int, RunPageDialog, (int checked), {
    return await kelmotPage.runDialog(checked);
});
// clang-format on

} // namespace

int32_t ShowConfigDialog(Settings* options, DisplayChoice* mode) {
    const int checked = RunPageDialog(PackControls(InitialDialogControls(*options)));
    if (checked < 0) return 0;
    ApplyDialogChoices(UnpackControls(checked), options, mode);
    return 1;
}
