#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <string>
#include <vector>

// A change the game made to one monitor through XRandR, and how it is undone:
// by the game itself on every way out it takes, and by the mode guard
// (kelmot-mode-guard) on its own X connection when the game ends without that.
// Needs only Xlib and XRandR, which is all the guard links.

// How one CRTC (the part of the graphics card that drives a monitor) is set.
struct CrtcSetting {
    RRCrtc crtc = None;
    int x = 0;
    int y = 0;
    RRMode mode = None;
    Rotation rotation = RR_Rotate_0;
    std::vector<RROutput> outputs;
};

// The CRTC as it was before the game changed it, the mode the game gave it,
// and how much the X screen grew for it.
struct MonitorChange {
    CrtcSetting before;
    RRMode mode = None;
    int grownWidth = 0;
    int grownHeight = 0;
};

// Gives back what change did, as far as it still stands: while the CRTC runs
// the game's mode, it gets its mode from before; where it stands now, turned as
// it is now, and on the outputs it drives now (what the player changed
// meanwhile stays theirs), the X screen first growing where it is too small for
// that mode. Then the screen gives back what the game grew it by, as far as the
// monitors leave room. X errors are counted, not fatal.
void UndoMonitorChange(Display* display, const MonitorChange& change);

// The change as one line of text (with its line break), and read back from
// one; false for a line that is not one.
std::string MonitorChangeLine(const MonitorChange& change);
bool ReadMonitorChangeLine(const std::string& line, MonitorChange* change);

// What the game's own switches share with the undoing.

// Runs work() with X errors counted, not fatal (Xlib's own handler would end
// the program: a monitor unplugged meanwhile is enough for one); true when none
// came of it.
bool WithoutXErrors(Display* display, void (*work)(void*), void* context);
template <typename Work> bool CountingXErrors(Display* display, Work work) {
    return WithoutXErrors(
        display, [](void* context) { (*static_cast<Work*>(context))(); }, &work);
}

// Runs change() with the server grabbed, so that no other client sees the
// monitors half changed.
template <typename Change> void ChangeMonitors(Display* display, Change change) {
    XGrabServer(display);
    change();
    XUngrabServer(display);
}

// The screen's outputs, CRTCs and modes as the server knows them; probed anew
// only where it has never looked for outputs (as SDL does).
XRRScreenResources* Resources(Display* display);

// The screen's size now, asked of the server (the connection's own record of
// it is not kept up to date).
void ScreenSizeNow(Display* display, int* width, int* height);

// Gives the X screen width x height pixels, at the same pixels per millimetre.
void SetScreenSize(Display* display, int width, int height);

bool ReadCrtc(Display* display, XRRScreenResources* resources, RRCrtc crtc, CrtcSetting* setting);
bool SetCrtc(Display* display, XRRScreenResources* resources, const CrtcSetting& setting);
