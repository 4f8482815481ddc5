#pragma once

#include <windows.h>

// Controllers on Windows, through XInput, loaded at the first look from
// xinput1_4.dll, else xinput9_1_0.dll; without either there are none, and the
// game goes on with its keys.

// Besides the promise of platform/gamepad.h: from Start to Stop, while the start-up dialog or a
// message box runs its own message loop: the controllers are looked at fifty times a second and
// move through the dialog or box that is up as the keys they stand for (shell/gamepad_keys.h) do
// there.
UINT_PTR StartDialogGamepads();
void StopDialogGamepads(UINT_PTR timer);
