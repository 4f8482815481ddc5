#include "platform/linux/monitor_modes.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// How one CRTC (the part of the graphics card that drives a monitor) is set.
struct CrtcSetting {
    RRCrtc crtc = 0;
    int x = 0;
    int y = 0;
    RRMode mode = None;
    Rotation rotation = RR_Rotate_0;
    std::vector<RROutput> outputs;

    bool operator==(const CrtcSetting&) const = default;
};

struct ScreenLayout {
    int width = 0;
    int height = 0;
    int widthMm = 0;
    int heightMm = 0;
    std::vector<CrtcSetting> crtcs;
};

// A connection of our own, open from the first mode set until the layout is
// given back; and the layout as it was before.
Display* xDisplay = nullptr;
ScreenLayout desktopLayout;

// X errors while the monitors are read and changed are counted, not fatal:
// Xlib's own handler would end the program (a monitor unplugged meanwhile is
// enough for one).
int xErrors = 0;
int CountXError(Display*, XErrorEvent*) {
    ++xErrors;
    return 0;
}

// Runs work() with X errors counted; true when none came of it.
template <typename Work> bool CountingXErrors(Work work) {
    XSync(xDisplay, False);
    xErrors = 0;
    const auto previous = XSetErrorHandler(CountXError);
    work();
    XSync(xDisplay, False);
    XSetErrorHandler(previous);
    return xErrors == 0;
}

// Runs change() with the server grabbed, so that no other client sees the
// monitors half changed.
template <typename Change> void ChangeMonitors(Change change) {
    XGrabServer(xDisplay);
    change();
    XUngrabServer(xDisplay);
}

Window Root() { return DefaultRootWindow(xDisplay); }

// The screen's outputs, CRTCs and modes as the server knows them; probed anew
// only where it has never looked for outputs (as SDL does).
XRRScreenResources* Resources() {
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(xDisplay, Root());
    if (resources && resources->noutput == 0) {
        XRRFreeScreenResources(resources);
        resources = nullptr;
    }
    return resources ? resources : XRRGetScreenResources(xDisplay, Root());
}

// The screen's size now, asked of the server (the connection's own record of
// it is not kept up to date).
void ScreenSizeNow(int* width, int* height) {
    Window root = 0;
    int x = 0, y = 0;
    unsigned int w = 0, h = 0, border = 0, depth = 0;
    XGetGeometry(xDisplay, Root(), &root, &x, &y, &w, &h, &border, &depth);
    *width = static_cast<int>(w);
    *height = static_cast<int>(h);
}

std::vector<CrtcSetting> ReadCrtcs(XRRScreenResources* resources) {
    std::vector<CrtcSetting> crtcs;
    for (int i = 0; i < resources->ncrtc; ++i) {
        XRRCrtcInfo* info = XRRGetCrtcInfo(xDisplay, resources, resources->crtcs[i]);
        if (!info) continue;
        crtcs.push_back({resources->crtcs[i], info->x, info->y, info->mode, info->rotation,
                         std::vector<RROutput>(info->outputs, info->outputs + info->noutput)});
        XRRFreeCrtcInfo(info);
    }
    return crtcs;
}

bool Turned(Rotation rotation) { return (rotation & (RR_Rotate_90 | RR_Rotate_270)) != 0; }

const XRRModeInfo* FindModeInfo(XRRScreenResources* resources, RRMode mode) {
    for (int i = 0; i < resources->nmode; ++i)
        if (resources->modes[i].id == mode) return &resources->modes[i];
    return nullptr;
}

double RefreshRate(const XRRModeInfo& info) {
    double lines = info.vTotal;
    if (info.modeFlags & RR_DoubleScan) lines *= 2;
    if (info.modeFlags & RR_Interlace) lines /= 2;
    return info.hTotal != 0 && lines != 0 ? info.dotClock / (info.hTotal * lines) : 0;
}

// The CRTC showing the screen from (x, y) on the desktop, the primary monitor's
// where more than one does (mirrored monitors).
const CrtcSetting* FindCrtc(const std::vector<CrtcSetting>& crtcs, int x, int y) {
    const RROutput primary = XRRGetOutputPrimary(xDisplay, Root());
    const CrtcSetting* found = nullptr;
    for (const CrtcSetting& crtc : crtcs) {
        if (crtc.mode == None || crtc.outputs.empty() || crtc.x != x || crtc.y != y) continue;
        const bool isPrimary =
            std::find(crtc.outputs.begin(), crtc.outputs.end(), primary) != crtc.outputs.end();
        if (!found || isPrimary) found = &crtc;
        if (isPrimary) break;
    }
    return found;
}

// The monitor's mode that shows width x height with the refresh rate nearest
// refreshRate (the first listed among equals), or None.
RRMode FindMode(XRRScreenResources* resources, const CrtcSetting& crtc, int width, int height,
                int refreshRate) {
    XRROutputInfo* output = XRRGetOutputInfo(xDisplay, resources, crtc.outputs.front());
    if (!output) return None;
    if (Turned(crtc.rotation)) std::swap(width, height);
    RRMode best = None;
    double bestDistance = 0;
    for (int i = 0; i < output->nmode; ++i) {
        const XRRModeInfo* info = FindModeInfo(resources, output->modes[i]);
        if (!info || int(info->width) != width || int(info->height) != height) continue;
        const double distance = std::abs(RefreshRate(*info) - refreshRate);
        if (best == None || distance < bestDistance) {
            best = info->id;
            bestDistance = distance;
        }
    }
    XRRFreeOutputInfo(output);
    return best;
}

bool SetCrtc(XRRScreenResources* resources, const CrtcSetting& setting) {
    RROutput* outputs = const_cast<RROutput*>(setting.outputs.data());
    return XRRSetCrtcConfig(xDisplay, resources, setting.crtc, CurrentTime, setting.x, setting.y,
                            setting.mode, setting.rotation, outputs,
                            static_cast<int>(setting.outputs.size())) == RRSetConfigSuccess;
}

bool OpenConnection() {
    xDisplay = XOpenDisplay(nullptr);
    if (!xDisplay) return false;
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (XRRQueryExtension(xDisplay, &eventBase, &errorBase) &&
        XRRQueryVersion(xDisplay, &major, &minor) && (major > 1 || minor >= 2))
        return true;
    XCloseDisplay(xDisplay);
    xDisplay = nullptr;
    return false;
}

void CloseConnection() {
    XCloseDisplay(xDisplay);
    xDisplay = nullptr;
    desktopLayout = ScreenLayout{};
}

// Opens the connection and notes how every monitor runs; false, with no
// connection left open, where there is no X server with XRandR 1.2.
bool NoteDesktop() {
    if (!OpenConnection()) return false;
    bool noted = false;
    CountingXErrors([&] {
        XRRScreenResources* resources = Resources();
        if (!resources) return;
        const int screen = DefaultScreen(xDisplay);
        desktopLayout = {DisplayWidth(xDisplay, screen), DisplayHeight(xDisplay, screen),
                         DisplayWidthMM(xDisplay, screen), DisplayHeightMM(xDisplay, screen),
                         ReadCrtcs(resources)};
        XRRFreeScreenResources(resources);
        noted = true;
    });
    if (!noted) CloseConnection();
    return noted;
}

// SetMonitorMode's work, once the desktop is noted.
MonitorSwitch SetMode(int x, int y, int width, int height, int refreshRate) {
    // The monitor as the desktop had it; it may run the game's mode already.
    const CrtcSetting* crtc = FindCrtc(desktopLayout.crtcs, x, y);
    XRRScreenResources* resources = Resources();
    if (!crtc || !resources) {
        if (resources) XRRFreeScreenResources(resources);
        return MonitorSwitch::unavailable;
    }
    CrtcSetting wanted = *crtc;
    wanted.mode = FindMode(resources, *crtc, width, height, refreshRate);
    const std::vector<CrtcSetting> now = ReadCrtcs(resources);
    bool set = wanted.mode != None;
    if (set && std::find(now.begin(), now.end(), wanted) == now.end()) {
        ChangeMonitors([&] {
            // The screen grows where the monitor would reach past it; it never
            // shrinks under the other monitors.
            int screenWidth = 0, screenHeight = 0;
            ScreenSizeNow(&screenWidth, &screenHeight);
            const int neededWidth = std::max(screenWidth, x + width);
            const int neededHeight = std::max(screenHeight, y + height);
            if (neededWidth != screenWidth || neededHeight != screenHeight) {
                XRRSetScreenSize(xDisplay, Root(), neededWidth, neededHeight,
                                 neededWidth * desktopLayout.widthMm / desktopLayout.width,
                                 neededHeight * desktopLayout.heightMm / desktopLayout.height);
            }
            set = SetCrtc(resources, wanted);
        });
    }
    XRRFreeScreenResources(resources);
    return set ? MonitorSwitch::switched : MonitorSwitch::refused;
}

// ShowDesktopModes' work.
void ShowDesktop() {
    XRRScreenResources* resources = Resources();
    if (!resources) return;
    const std::vector<CrtcSetting> now = ReadCrtcs(resources);
    std::vector<CrtcSetting> changed;
    for (const CrtcSetting& before : desktopLayout.crtcs) {
        const auto current = std::find_if(
            now.begin(), now.end(), [&](const CrtcSetting& c) { return c.crtc == before.crtc; });
        if (current != now.end() && !(*current == before)) changed.push_back(before);
    }
    int screenWidth = 0, screenHeight = 0;
    ScreenSizeNow(&screenWidth, &screenHeight);
    const bool resized = screenWidth != desktopLayout.width || screenHeight != desktopLayout.height;
    if (!changed.empty() || resized) {
        ChangeMonitors([&] {
            // As xrandr does it: the changed monitors off, the screen at its
            // size, then each monitor as it was.
            for (CrtcSetting off : changed) {
                off.x = off.y = 0;
                off.mode = None;
                off.rotation = RR_Rotate_0;
                off.outputs.clear();
                SetCrtc(resources, off);
            }
            if (resized)
                XRRSetScreenSize(xDisplay, Root(), desktopLayout.width, desktopLayout.height,
                                 desktopLayout.widthMm, desktopLayout.heightMm);
            for (const CrtcSetting& before : changed)
                if (before.mode != None) SetCrtc(resources, before);
        });
    }
    XRRFreeScreenResources(resources);
}

} // namespace

MonitorSwitch SetMonitorMode(int x, int y, int width, int height, int refreshRate) {
    if (!xDisplay && !NoteDesktop()) return MonitorSwitch::unavailable;
    MonitorSwitch result = MonitorSwitch::unavailable;
    const bool clean = CountingXErrors([&] { result = SetMode(x, y, width, height, refreshRate); });
    return clean || result != MonitorSwitch::switched ? result : MonitorSwitch::refused;
}

void ShowDesktopModes() {
    if (xDisplay) CountingXErrors(ShowDesktop);
}

void RestoreMonitorModes() {
    if (!xDisplay) return;
    ShowDesktopModes();
    CloseConnection();
}
