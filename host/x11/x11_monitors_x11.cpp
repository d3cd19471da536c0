#include "host/x11/x11_monitors_x11.h"

#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>

X11Monitors::X11Monitors(Display* display) : display_(display) {
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XRRQueryExtension(display, &eventBase, &errorBase) || !XRRQueryVersion(display, &major, &minor)) return;
    randrEventBase_ = eventBase;
    randrMonitors_ = major > 1 || (major == 1 && minor >= 5);
    XRRSelectInput(display, DefaultRootWindow(display), RRScreenChangeNotifyMask);
}

std::vector<MonitorArea> X11Monitors::FromRandR() const {
    int count = 0;
    // Every monitor, not only the active ones: a monitor that splits a wide screen has no output
    // of its own, and RandR counts it inactive.
    XRRMonitorInfo* info = XRRGetMonitors(display_, DefaultRootWindow(display_), False, &count);
    std::vector<MonitorArea> monitors;
    for (int i = 0; i < count; ++i) {
        const XRRMonitorInfo& m = info[i];
        monitors.push_back({{m.x, m.y, m.x + m.width, m.y + m.height}, m.primary != False});
    }
    if (info != nullptr) XRRFreeMonitors(info);
    return monitors;
}

std::vector<MonitorArea> X11Monitors::FromXinerama() const {
    int eventBase = 0, errorBase = 0, count = 0;
    if (!XineramaQueryExtension(display_, &eventBase, &errorBase) || !XineramaIsActive(display_)) return {};
    XineramaScreenInfo* info = XineramaQueryScreens(display_, &count);
    std::vector<MonitorArea> monitors;
    for (int i = 0; i < count; ++i) {
        const XineramaScreenInfo& s = info[i];
        monitors.push_back({{s.x_org, s.y_org, s.x_org + s.width, s.y_org + s.height}, i == 0});
    }
    if (info != nullptr) XFree(info);
    return monitors;
}

std::vector<MonitorArea> X11Monitors::OnRoot() const {
    std::vector<MonitorArea> randr = randrMonitors_ ? FromRandR() : std::vector<MonitorArea>{};
    std::vector<MonitorArea> xinerama = FromXinerama();
    // A server that joins several screens with Xinerama (Xephyr +xinerama, Xorg's) gives RandR
    // the first screen alone: there Xinerama knows more monitors. Where RandR itself answers
    // for Xinerama, both agree and RandR also knows the primary.
    return randr.size() >= xinerama.size() ? randr : xinerama;
}

ScreenRect X11Monitors::Place(Window window, int width, int height) const {
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
    return {x, y, x + width, y + height};
}

bool X11Monitors::Changed(XEvent& event) const {
    if (randrEventBase_ < 0 || event.type != randrEventBase_ + RRScreenChangeNotify) return false;
    XRRUpdateConfiguration(&event);
    return true;
}

void X11Monitors::SpanEveryMonitor(Window window) const {
    int eventBase = 0, errorBase = 0, count = 0;
    if (!XineramaQueryExtension(display_, &eventBase, &errorBase) || !XineramaIsActive(display_)) return;
    XineramaScreenInfo* info = XineramaQueryScreens(display_, &count);
    if (info == nullptr) return;
    // The monitors that hold the top, bottom, left and right edges of them all.
    int top = 0, bottom = 0, left = 0, right = 0;
    for (int i = 1; i < count; ++i) {
        if (info[i].y_org < info[top].y_org) top = i;
        if (info[i].y_org + info[i].height > info[bottom].y_org + info[bottom].height) bottom = i;
        if (info[i].x_org < info[left].x_org) left = i;
        if (info[i].x_org + info[i].width > info[right].x_org + info[right].width) right = i;
    }
    XFree(info);
    if (count < 2) return;
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = window;
    message.xclient.message_type = XInternAtom(display_, "_NET_WM_FULLSCREEN_MONITORS", False);
    message.xclient.format = 32;
    message.xclient.data.l[0] = top;
    message.xclient.data.l[1] = bottom;
    message.xclient.data.l[2] = left;
    message.xclient.data.l[3] = right;
    message.xclient.data.l[4] = 1;  // a normal application
    XSendEvent(display_, DefaultRootWindow(display_), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &message);
}
