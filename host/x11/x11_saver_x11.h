// The clock in one X11 window, by XScreenSaver's contract: draw into the window given (or one
// of its own), follow its size, a new frame by the tick policy, end on a signal or, in a window
// of its own, on a key or a click.
#pragma once

#include <X11/Xlib.h>
#include <cairo.h>

#include <ctime>
#include <memory>
#include <string>

#include "host/saver_rules.h"
#include "host/x11/x11_presenter_x11.h"
#include "render/render_clock_cairo.h"
#include "settings/clock_settings.h"

struct SaverTarget {
    Window window;
    bool ownWindow;  // ours: keys and clicks end the clock, and the window is destroyed at the end
};

class X11Saver {
public:
    X11Saver(Display* display, SaverTarget target, const ClockSettings& settings, std::string homePage);
    ~X11Saver();
    X11Saver(const X11Saver&) = delete;
    X11Saver& operator=(const X11Saver&) = delete;

    // Runs until the window ends the clock or `stopFd` becomes readable (a signal arrived).
    // Returns the exit code: 0, or 1 when the window could not be used.
    int Run(int stopFd);

private:
    bool Follow(int width, int height);
    // A new frame at the given local time; returns the part of the window it changed.
    CairoRegion Compose(const LocalDateTime& now);
    CairoRegion Whole() const;
    // Shows the frame, composing a new one first when asked (or when none was made yet).
    void Render(bool compose, const LocalDateTime& now);
    void OnTick();
    // False while the server's power management has the display in standby, suspend or off.
    bool DisplayOn() const;
    // Handles the queued events; false when one of them ends the clock.
    bool DispatchEvents();

    Display* display_;
    SaverTarget target_;
    const ClockSettings& settings_;
    std::string homePage_;
    Atom deleteWindow_;
    XWindowAttributes attributes_{};
    // The canvas's frame may live in the presenter's memory: the canvas goes first.
    std::unique_ptr<X11Presenter> presenter_;
    std::unique_ptr<CairoCanvas> canvas_;
    CairoSurface shrunk_;  // a miniature's window-sized picture, shrunk from the canvas
    int width_ = 0;        // the window's size
    int height_ = 0;
    TickState tick_;
    bool framed_ = false;  // a frame has been composed since the canvas was made
    bool dpms_ = false;    // the server tells the display's power level
    bool frameMissed_ = false;  // a frame fell due while the display was not on
};

// An X error handler that lets the program end quietly when its window goes away under it
// (XScreenSaver destroys the window it lent): the error is noted, not fatal.
int NoteXError(Display* display, XErrorEvent* error);
bool XWindowLost();
