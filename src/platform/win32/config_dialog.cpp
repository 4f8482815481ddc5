// The start-up dialog on Windows: dialog 105 of the resource script, run
// modally, with the dialog's rules of settings/config_dialog.h.

#include <windows.h>

#include "platform/config_dialog_view.h"
#include "platform/win32/dialog_banner.h"
#include "platform/win32/gamepad.h"
#include "platform/win32/resource_ids.h"

namespace {

// What the dialog reads and writes while it is up; it runs on the one thread.
Settings* dialogOptions = nullptr;
DisplayChoice* dialogMode = nullptr;

constexpr int resolutionButtons[resolutionCount] = {RESOLUTION_1280X1024, RESOLUTION_1024X768,
                                                    RESOLUTION_800X600, RESOLUTION_640X480};

int32_t IsChecked(HWND dialog, int button) {
    return IsDlgButtonChecked(dialog, button) == BST_CHECKED ? 1 : 0;
}

INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: {
        const ConfigDialogControls controls = InitialDialogControls(*dialogOptions);
        CheckRadioButton(dialog, DEPTH_16_BIT, DEPTH_32_BIT,
                         controls.depth32Checked != 0 ? DEPTH_32_BIT : DEPTH_16_BIT);
        for (int32_t res = 0; res < resolutionCount; ++res)
            if (controls.resolutionChecked[res] != 0)
                CheckRadioButton(dialog, RESOLUTION_1280X1024, RESOLUTION_640X480,
                                 resolutionButtons[res]);
        if (controls.fullscreenChecked != 0) CheckDlgButton(dialog, FULLSCREEN_BOX, BST_CHECKED);
        ScaleDialogBanner(dialog);
        return FALSE;
    }
    case WM_COMMAND:
        // OK, however it is pressed. Escape's cancel command is left alone, so the
        // dialog stays until OK.
        if (LOWORD(wParam) != OK_BUTTON) return FALSE;
        {
            ConfigDialogControls controls;
            for (int32_t res = 0; res < resolutionCount; ++res)
                controls.resolutionChecked[res] = IsChecked(dialog, resolutionButtons[res]);
            controls.depth16Checked = IsChecked(dialog, DEPTH_16_BIT);
            controls.depth32Checked = IsChecked(dialog, DEPTH_32_BIT);
            controls.fullscreenChecked = IsChecked(dialog, FULLSCREEN_BOX);
            ApplyDialogChoices(controls, dialogOptions, dialogMode);
        }
        RestoreDialogBanner(dialog);
        EndDialog(dialog, static_cast<INT_PTR>(wParam));
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

int32_t ShowConfigDialog(Settings* options, DisplayChoice* mode) {
    dialogOptions = options;
    dialogMode = mode;
    const UINT_PTR gamepads = StartDialogGamepads();
    const INT_PTR result = DialogBoxParamA(
        GetModuleHandleA(nullptr), MAKEINTRESOURCEA(CONFIG_DIALOG), nullptr, ConfigDialogProc, 0);
    StopDialogGamepads(gamepads);
    dialogOptions = nullptr;
    dialogMode = nullptr;
    // Only OK ends the dialog, with its command: 0 or -1 say it never came up.
    return result > 0 ? 1 : 0;
}
