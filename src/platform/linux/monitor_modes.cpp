#include "platform/linux/monitor_modes.h"

#include <algorithm>

#include "platform/linux/mode_guard.h"
#include "platform/linux/monitor_change.h"

namespace {

// What the game changed, and on which connection.
Display* changedDisplay = nullptr;
MonitorChange change;

bool HasRandr12(Display* display) {
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    return XRRQueryExtension(display, &eventBase, &errorBase) &&
           XRRQueryVersion(display, &major, &minor) && (major > 1 || minor >= 2);
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
    return info.hTotal != 0 && lines != 0 ? info.dotClock / (info.hTotal * lines) : 0;
}

// The monitor's progressive mode that shows width x height, the one with the
// highest refresh rate (the first listed among equals), or None. An interlaced
// mode draws each frame in two fields, at half the rate its fields suggest,
// and flickers: never the game's.
RRMode FindMode(Display* display, XRRScreenResources* resources, const CrtcSetting& crtc, int width,
                int height) {
    XRROutputInfo* output = XRRGetOutputInfo(display, resources, crtc.outputs.front());
    if (!output) return None;
    if (crtc.rotation & (RR_Rotate_90 | RR_Rotate_270)) std::swap(width, height);
    const XRRModeInfo* best = nullptr;
    for (int i = 0; i < output->nmode; ++i) {
        const XRRModeInfo* info = FindModeInfo(resources, output->modes[i]);
        if (!info || (info->modeFlags & RR_Interlace) || int(info->width) != width ||
            int(info->height) != height)
            continue;
        if (!best || RefreshRate(*info) > RefreshRate(*best)) best = info;
    }
    XRRFreeOutputInfo(output);
    return best ? best->id : None;
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
        MonitorChange made{before, wanted.mode, 0, 0};
        ChangeMonitors(display, [&] {
            // The screen grows where the monitor would reach past it.
            int screenWidth = 0, screenHeight = 0;
            ScreenSizeNow(display, &screenWidth, &screenHeight);
            made.grownWidth = std::max(0, before.x + width - screenWidth);
            made.grownHeight = std::max(0, before.y + height - screenHeight);
            // The guard hears of the change before it is made: a game killed
            // in between leaves nothing unguarded.
            GuardMonitorChange(display, &made);
            const bool grow = made.grownWidth > 0 || made.grownHeight > 0;
            if (grow)
                SetScreenSize(display, screenWidth + made.grownWidth,
                              screenHeight + made.grownHeight);
            set = SetCrtc(display, resources, wanted);
            if (!set && grow) SetScreenSize(display, screenWidth, screenHeight);
        });
        if (set) {
            changedDisplay = display;
            change = made;
        } else {
            GuardMonitorChange(display, changedDisplay != nullptr ? &change : nullptr);
        }
    }
    if (set) *place = {before.x, before.y, width, height};
    XRRFreeScreenResources(resources);
    return set;
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
    if (!changedDisplay) return;
    UndoMonitorChange(changedDisplay, change);
    GuardMonitorChange(changedDisplay, nullptr);
    changedDisplay = nullptr;
    change = MonitorChange{};
}
