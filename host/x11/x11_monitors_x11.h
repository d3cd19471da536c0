// The monitors of an X display and where a window lies on them, for the platform-free layout.
#pragma once

#include <X11/Xlib.h>

#include <vector>

#include "host/clock_layout.h"

class X11Monitors {
public:
    // Asks the display which extensions tell its monitors, and asks RandR to report changes to
    // the screen's layout (RRScreenChangeNotify) where it can.
    explicit X11Monitors(Display* display);

    // The monitors in root coordinates: RandR 1.5's, else (or where it knows more) Xinerama's
    // screens, the first as primary; else none.
    std::vector<MonitorArea> OnRoot() const;
    // A window of the given size in root coordinates.
    ScreenRect Place(Window window, int width, int height) const;
    // The event says the screen's layout changed; Xlib then learns the new screen size.
    bool Changed(XEvent& event) const;
    // Asks the window manager to lay a mapped full-screen window over every Xinerama monitor, not
    // just the one it would pick (_NET_WM_FULLSCREEN_MONITORS); nothing happens without one.
    void SpanEveryMonitor(Window window) const;

private:
    std::vector<MonitorArea> FromRandR() const;
    std::vector<MonitorArea> FromXinerama() const;

    Display* display_;
    bool randrMonitors_ = false;  // RandR 1.5 or later
    int randrEventBase_ = -1;     // -1: no RandR events
};
