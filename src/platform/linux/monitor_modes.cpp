#include "platform/linux/monitor_modes.h"

#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <vector>

namespace {

// How one CRTC (the part of the graphics card that drives a monitor) is set.
struct CrtcSetting {
    RRCrtc crtc = None;
    int x = 0;
    int y = 0;
    RRMode mode = None;
    Rotation rotation = RR_Rotate_0;
    std::vector<RROutput> outputs;
};

// What the game changed: on which connection, the CRTC as it was before and the
// mode the game gave it, and how much the X screen grew for it.
struct GameChange {
    Display* display = nullptr;
    CrtcSetting before;
    RRMode mode = None;
    int grownWidth = 0;
    int grownHeight = 0;
};
GameChange change;

// X errors while the monitors are read and changed are counted, not fatal:
// Xlib's own handler would end the program (a monitor unplugged meanwhile is
// enough for one).
int xErrors = 0;
int CountXError(Display*, XErrorEvent*) {
    ++xErrors;
    return 0;
}

// Runs work() with X errors counted; true when none came of it.
template <typename Work> bool CountingXErrors(Display* display, Work work) {
    XSync(display, False);
    xErrors = 0;
    const auto previous = XSetErrorHandler(CountXError);
    work();
    XSync(display, False);
    XSetErrorHandler(previous);
    return xErrors == 0;
}

// Runs change() with the server grabbed, so that no other client sees the
// monitors half changed.
template <typename Change> void ChangeMonitors(Display* display, Change change) {
    XGrabServer(display);
    change();
    XUngrabServer(display);
}

bool HasRandr12(Display* display) {
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    return XRRQueryExtension(display, &eventBase, &errorBase) &&
           XRRQueryVersion(display, &major, &minor) && (major > 1 || minor >= 2);
}

// The screen's outputs, CRTCs and modes as the server knows them; probed anew
// only where it has never looked for outputs (as SDL does).
XRRScreenResources* Resources(Display* display) {
    const Window root = DefaultRootWindow(display);
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, root);
    if (resources && resources->noutput == 0) {
        XRRFreeScreenResources(resources);
        resources = nullptr;
    }
    return resources ? resources : XRRGetScreenResources(display, root);
}

// The screen's size now, asked of the server (the connection's own record of
// it is not kept up to date).
void ScreenSizeNow(Display* display, int* width, int* height) {
    Window root = 0;
    int x = 0, y = 0;
    unsigned int w = 0, h = 0, border = 0, depth = 0;
    XGetGeometry(display, DefaultRootWindow(display), &root, &x, &y, &w, &h, &border, &depth);
    *width = static_cast<int>(w);
    *height = static_cast<int>(h);
}

// Gives the X screen width x height pixels, at the same pixels per millimetre.
void SetScreenSize(Display* display, int width, int height) {
    const int screen = DefaultScreen(display);
    XRRSetScreenSize(display, DefaultRootWindow(display), width, height,
                     width * DisplayWidthMM(display, screen) / DisplayWidth(display, screen),
                     height * DisplayHeightMM(display, screen) / DisplayHeight(display, screen));
}

bool ReadCrtc(Display* display, XRRScreenResources* resources, RRCrtc crtc, CrtcSetting* setting) {
    XRRCrtcInfo* info = XRRGetCrtcInfo(display, resources, crtc);
    if (!info) return false;
    *setting = {
        crtc,           info->x,
        info->y,        info->mode,
        info->rotation, std::vector<RROutput>(info->outputs, info->outputs + info->noutput)};
    XRRFreeCrtcInfo(info);
    return true;
}

// The CRTC of the game's monitor as it runs now: the primary output's, or the
// first connected output's that shows part of the screen.
bool FindGameCrtc(Display* display, XRRScreenResources* resources, CrtcSetting* found) {
    std::vector<RROutput> outputs(resources->outputs, resources->outputs + resources->noutput);
    if (const RROutput primary = XRRGetOutputPrimary(display, DefaultRootWindow(display)))
        outputs.insert(outputs.begin(), primary);
    for (const RROutput output : outputs) {
        XRROutputInfo* info = XRRGetOutputInfo(display, resources, output);
        if (!info) continue;
        const RRCrtc crtc = info->connection == RR_Connected ? info->crtc : None;
        XRRFreeOutputInfo(info);
        if (crtc != None && ReadCrtc(display, resources, crtc, found) && found->mode != None &&
            !found->outputs.empty())
            return true;
    }
    return false;
}

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

// The monitor's mode that shows width x height, the one with the highest
// refresh rate (the first listed among equals), or None.
RRMode FindMode(Display* display, XRRScreenResources* resources, const CrtcSetting& crtc, int width,
                int height) {
    XRROutputInfo* output = XRRGetOutputInfo(display, resources, crtc.outputs.front());
    if (!output) return None;
    if (crtc.rotation & (RR_Rotate_90 | RR_Rotate_270)) std::swap(width, height);
    const XRRModeInfo* best = nullptr;
    for (int i = 0; i < output->nmode; ++i) {
        const XRRModeInfo* info = FindModeInfo(resources, output->modes[i]);
        if (!info || int(info->width) != width || int(info->height) != height) continue;
        if (!best || RefreshRate(*info) > RefreshRate(*best)) best = info;
    }
    XRRFreeOutputInfo(output);
    return best ? best->id : None;
}

bool SetCrtc(Display* display, XRRScreenResources* resources, const CrtcSetting& setting) {
    RROutput* outputs = const_cast<RROutput*>(setting.outputs.data());
    return XRRSetCrtcConfig(display, resources, setting.crtc, CurrentTime, setting.x, setting.y,
                            setting.mode, setting.rotation, outputs,
                            static_cast<int>(setting.outputs.size())) == RRSetConfigSuccess;
}

// The smallest screen that holds every monitor as they run now.
void MonitorsExtent(Display* display, XRRScreenResources* resources, int* width, int* height) {
    *width = *height = 0;
    for (int i = 0; i < resources->ncrtc; ++i) {
        XRRCrtcInfo* info = XRRGetCrtcInfo(display, resources, resources->crtcs[i]);
        if (!info) continue;
        if (info->mode != None) {
            *width = std::max(*width, info->x + int(info->width));
            *height = std::max(*height, info->y + int(info->height));
        }
        XRRFreeCrtcInfo(info);
    }
}

// SetMonitorMode's work.
bool SetMode(Display* display, int width, int height, MonitorPlace* place) {
    XRRScreenResources* resources = Resources(display);
    if (!resources) return false;
    CrtcSetting before;
    bool set = FindGameCrtc(display, resources, &before);
    CrtcSetting wanted = before;
    if (set) {
        wanted.mode = FindMode(display, resources, before, width, height);
        set = wanted.mode != None;
    }
    if (set && wanted.mode != before.mode) {
        GameChange made{display, before, wanted.mode, 0, 0};
        ChangeMonitors(display, [&] {
            // The screen grows where the monitor would reach past it.
            int screenWidth = 0, screenHeight = 0;
            ScreenSizeNow(display, &screenWidth, &screenHeight);
            made.grownWidth = std::max(0, before.x + width - screenWidth);
            made.grownHeight = std::max(0, before.y + height - screenHeight);
            const bool grow = made.grownWidth > 0 || made.grownHeight > 0;
            if (grow)
                SetScreenSize(display, screenWidth + made.grownWidth,
                              screenHeight + made.grownHeight);
            set = SetCrtc(display, resources, wanted);
            if (!set && grow) SetScreenSize(display, screenWidth, screenHeight);
        });
        if (set) change = made;
    }
    if (set) *place = {before.x, before.y, width, height};
    XRRFreeScreenResources(resources);
    return set;
}

// RestoreMonitorMode's work.
void Restore() {
    Display* display = change.display;
    XRRScreenResources* resources = Resources(display);
    if (!resources) return;
    CrtcSetting now;
    if (ReadCrtc(display, resources, change.before.crtc, &now) && now.mode == change.mode) {
        ChangeMonitors(display, [&] {
            SetCrtc(display, resources, change.before);
            if (change.grownWidth == 0 && change.grownHeight == 0) return;
            int screenWidth = 0, screenHeight = 0, neededWidth = 0, neededHeight = 0;
            ScreenSizeNow(display, &screenWidth, &screenHeight);
            MonitorsExtent(display, resources, &neededWidth, &neededHeight);
            const int width = std::max(screenWidth - change.grownWidth, neededWidth);
            const int height = std::max(screenHeight - change.grownHeight, neededHeight);
            if (width != screenWidth || height != screenHeight)
                SetScreenSize(display, width, height);
        });
    }
    XRRFreeScreenResources(resources);
}

} // namespace

bool SetMonitorMode(Display* display, int width, int height, MonitorPlace* place) {
    if (!display || !HasRandr12(display)) return false;
    bool set = false;
    const bool clean =
        CountingXErrors(display, [&] { set = SetMode(display, width, height, place); });
    return set && clean;
}

void RestoreMonitorMode() {
    if (!change.display) return;
    CountingXErrors(change.display, Restore);
    change = GameChange{};
}
