#include "platform/linux/monitor_change.h"

#include <algorithm>
#include <sstream>

namespace {

int xErrors = 0;
int CountXError(Display*, XErrorEvent*) {
    ++xErrors;
    return 0;
}

// The size a CRTC shows mode at, turned by rotation; false when the screen
// knows no such mode.
bool ShownSize(XRRScreenResources* resources, RRMode mode, Rotation rotation, int* width,
               int* height) {
    for (int i = 0; i < resources->nmode; ++i) {
        if (resources->modes[i].id != mode) continue;
        *width = int(resources->modes[i].width);
        *height = int(resources->modes[i].height);
        if (rotation & (RR_Rotate_90 | RR_Rotate_270)) std::swap(*width, *height);
        return true;
    }
    return false;
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

void Undo(Display* display, const MonitorChange& change) {
    XRRScreenResources* resources = Resources(display);
    if (!resources) return;
    CrtcSetting restored;
    int width = 0, height = 0;
    if (ReadCrtc(display, resources, change.before.crtc, &restored) &&
        restored.mode == change.mode &&
        ShownSize(resources, change.before.mode, restored.rotation, &width, &height)) {
        restored.mode = change.before.mode;
        ChangeMonitors(display, [&] {
            // The player's layout may have left the screen too small for the
            // monitor's own mode (another monitor switched on beside the
            // game's smaller one).
            int screenWidth = 0, screenHeight = 0;
            ScreenSizeNow(display, &screenWidth, &screenHeight);
            const int neededWidth = std::max(screenWidth, restored.x + width);
            const int neededHeight = std::max(screenHeight, restored.y + height);
            if (neededWidth != screenWidth || neededHeight != screenHeight)
                SetScreenSize(display, neededWidth, neededHeight);
            SetCrtc(display, resources, restored);
            if (change.grownWidth == 0 && change.grownHeight == 0) return;
            int extentWidth = 0, extentHeight = 0;
            ScreenSizeNow(display, &screenWidth, &screenHeight);
            MonitorsExtent(display, resources, &extentWidth, &extentHeight);
            const int shrunkWidth = std::max(screenWidth - change.grownWidth, extentWidth);
            const int shrunkHeight = std::max(screenHeight - change.grownHeight, extentHeight);
            if (shrunkWidth != screenWidth || shrunkHeight != screenHeight)
                SetScreenSize(display, shrunkWidth, shrunkHeight);
        });
    }
    XRRFreeScreenResources(resources);
}

} // namespace

bool WithoutXErrors(Display* display, void (*work)(void*), void* context) {
    XSync(display, False);
    xErrors = 0;
    const auto previous = XSetErrorHandler(CountXError);
    work(context);
    XSync(display, False);
    XSetErrorHandler(previous);
    return xErrors == 0;
}

XRRScreenResources* Resources(Display* display) {
    const Window root = DefaultRootWindow(display);
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, root);
    if (resources && resources->noutput == 0) {
        XRRFreeScreenResources(resources);
        resources = nullptr;
    }
    return resources ? resources : XRRGetScreenResources(display, root);
}

void ScreenSizeNow(Display* display, int* width, int* height) {
    Window root = 0;
    int x = 0, y = 0;
    unsigned int w = 0, h = 0, border = 0, depth = 0;
    XGetGeometry(display, DefaultRootWindow(display), &root, &x, &y, &w, &h, &border, &depth);
    *width = static_cast<int>(w);
    *height = static_cast<int>(h);
}

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

bool SetCrtc(Display* display, XRRScreenResources* resources, const CrtcSetting& setting) {
    RROutput* outputs = const_cast<RROutput*>(setting.outputs.data());
    return XRRSetCrtcConfig(display, resources, setting.crtc, CurrentTime, setting.x, setting.y,
                            setting.mode, setting.rotation, outputs,
                            static_cast<int>(setting.outputs.size())) == RRSetConfigSuccess;
}

void UndoMonitorChange(Display* display, const MonitorChange& change) {
    CountingXErrors(display, [&] { Undo(display, change); });
}

std::string MonitorChangeLine(const MonitorChange& change) {
    const CrtcSetting& before = change.before;
    std::ostringstream line;
    line << "change " << before.crtc << ' ' << before.x << ' ' << before.y << ' ' << before.mode
         << ' ' << before.rotation << ' ' << change.mode << ' ' << change.grownWidth << ' '
         << change.grownHeight << ' ' << before.outputs.size();
    for (const RROutput output : before.outputs) line << ' ' << output;
    line << '\n';
    return line.str();
}

bool ReadMonitorChangeLine(const std::string& line, MonitorChange* change) {
    std::istringstream fields(line);
    std::string word;
    MonitorChange read;
    CrtcSetting& before = read.before;
    size_t outputs = 0;
    if (!(fields >> word) || word != "change" ||
        !(fields >> before.crtc >> before.x >> before.y >> before.mode >> before.rotation >>
          read.mode >> read.grownWidth >> read.grownHeight >> outputs) ||
        outputs == 0 || outputs > 64)
        return false;
    before.outputs.resize(outputs);
    for (RROutput& output : before.outputs)
        if (!(fields >> output)) return false;
    if (fields >> word) return false;
    *change = read;
    return true;
}
