#include "platform/win32/dialog_banner.h"

#include "platform/window.h"

namespace {

// The DPI the banner picture is drawn for.
constexpr UINT pictureDpi = 96;

// The picture the banner control loaded, while it shows a scaled copy.
HBITMAP loadedPicture = nullptr;
HBITMAP scaledPicture = nullptr;

// The DPI the dialog was laid out for: its monitor's from Windows 10 1607 on
// (GetDpiForWindow, looked up here, as older Windows lacks it), the system's
// before.
UINT DialogDpi(HWND dialog) {
    using DpiForWindow = UINT(WINAPI*)(HWND);
    const auto dpiForWindow = reinterpret_cast<DpiForWindow>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (dpiForWindow) {
        const UINT dpi = dpiForWindow(dialog);
        if (dpi != 0) return dpi;
    }
    return UINT(ScreenDpi());
}

// The dialog's one picture control.
HWND BannerControl(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) return child;
    return nullptr;
}

// A copy of picture at dpi, smoothed; null when it cannot be made.
HBITMAP ScaledCopy(HBITMAP picture, UINT dpi) {
    BITMAP size{};
    if (GetObjectA(picture, sizeof size, &size) == 0) return nullptr;
    const int width = MulDiv(size.bmWidth, int(dpi), int(pictureDpi));
    const int height = MulDiv(size.bmHeight, int(dpi), int(pictureDpi));
    HDC screen = GetDC(nullptr);
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    HBITMAP copy = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    bool drawn = false;
    if (from && to && copy) {
        HGDIOBJ fromBefore = SelectObject(from, picture);
        HGDIOBJ toBefore = SelectObject(to, copy);
        SetStretchBltMode(to, HALFTONE);
        SetBrushOrgEx(to, 0, 0, nullptr);
        drawn = StretchBlt(to, 0, 0, width, height, from, 0, 0, size.bmWidth, size.bmHeight,
                           SRCCOPY) != FALSE;
        SelectObject(to, toBefore);
        SelectObject(from, fromBefore);
    }
    if (to) DeleteDC(to);
    if (from) DeleteDC(from);
    if (!drawn && copy) DeleteObject(copy);
    return drawn ? copy : nullptr;
}

} // namespace

void ScaleDialogBanner(HWND dialog) {
    const UINT dpi = DialogDpi(dialog);
    HWND banner = BannerControl(dialog);
    if (dpi == pictureDpi || !banner) return;
    auto* picture = reinterpret_cast<HBITMAP>(SendMessageA(banner, STM_GETIMAGE, IMAGE_BITMAP, 0));
    HBITMAP copy = picture ? ScaledCopy(picture, dpi) : nullptr;
    if (!copy) return;
    SendMessageA(banner, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(copy));
    loadedPicture = picture;
    scaledPicture = copy;
}

void RestoreDialogBanner(HWND dialog) {
    if (!scaledPicture) return;
    HWND banner = BannerControl(dialog);
    if (banner)
        SendMessageA(banner, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(loadedPicture));
    DeleteObject(scaledPicture);
    loadedPicture = nullptr;
    scaledPicture = nullptr;
}
