// The clock in one X11 window, by XScreenSaver's contract: draw into the window given (or one
// of its own), follow its size, a new frame by the tick policy, end on a signal or, in a window
// of its own, on a key or a click.
#pragma once

#include <X11/Xlib.h>
#include <cairo.h>

#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/clock_layout.h"
#include "host/power_supply.h"
#include "host/saver_session.h"
#include "host/world_clocks.h"
#include "host/x11/x11_monitors_x11.h"
#include "host/x11/x11_presenter_x11.h"
#include "render/render_clock_cairo.h"
#include "settings/clock_settings.h"

// How a window's clocks are placed.
enum class WindowSpan {
    Whole,       // one clock over the whole window (our own window, not full screen)
    Monitors,    // laid out over the monitors the window covers (our full-screen window, the root)
    OneMonitor,  // lent for one monitor: a clock when it lies on the main one, or on every one
};

struct SaverTarget {
    Window window;
    bool ownWindow;  // ours: keys and clicks end the clock, and the window is destroyed at the end
    WindowSpan span;
};

// One clock: its rectangle of the window and its canvas, which draws in place into the window's
// picture, or, for a miniature, into a canvas of its own shrunk into that rectangle.
struct ClockView {
    ScreenRect rect;
    int clock;  // the local clock 0, the world clocks after it
    std::unique_ptr<CairoCanvas> canvas;
    CairoSurface shrunk;  // the rectangle of the picture a miniature is shrunk into
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
    // Places the clocks anew; the rest of the window turns black.
    void LayOut();
    // Places the clocks anew when a move of the window changed where they go.
    bool Moved();
    std::vector<ScreenRect> ClockPlaces() const;
    ClockView MakeView(const ScreenRect& rect, int clock) const;
    // Carries out what the session asks after an event.
    void Carry(const SessionStep& step);
    // New frames at the given local time; returns the part of the window they changed.
    CairoRegion Compose(const ClockReading& now);
    CairoRegion Compose(ClockView& view, const ClockReading& now);
    CairoRegion Whole() const;
    // Shows the frame, composing a new one first when asked (or when none was made yet).
    void Render(bool compose, const ClockReading& now);
    void OnTick();
    // Standby, suspend and off of the server's power management all count as off. Asked at
    // most once a second: each answer is a round trip, and a gliding needle ticks thirty times.
    DisplayPower Power(TickInstant now);
    // Handles the queued events, reading the connection first when `read`; false when one of
    // them ends the clock.
    bool DispatchEvents(bool read);
    int dispatched_ = 0;  // events the last call handled
    bool HandleEvent(XEvent& event);

    Display* display_;
    SaverTarget target_;
    const ClockSettings& settings_;
    WorldClocks world_;
    std::string homePage_;
    Atom deleteWindow_;
    XWindowAttributes attributes_{};
    X11Monitors monitors_;
    // The clocks draw into the window-sized picture, which may live in the presenter's memory:
    // the clocks go first, then the picture.
    std::unique_ptr<X11Presenter> presenter_;
    CairoSurface picture_;
    std::vector<ClockView> clocks_;
    int width_ = 0;  // the window's size
    int height_ = 0;
    std::unique_ptr<SaverSession> session_;  // from the first frame to the end
    BatteryWatch battery_;
    bool framed_ = false;       // a frame has been composed since the clocks were placed
    bool dpms_ = false;         // the server tells the display's power level
    std::optional<int64_t> powerAt_;  // the second of the last answer
    DisplayPower power_ = DisplayPower::On;
    bool ending_ = false;       // the session asked for the end
};

// An X error handler that lets the program end quietly when its window goes away under it
// (XScreenSaver destroys the window it lent): the error is noted, not fatal.
int NoteXError(Display* display, XErrorEvent* error);
bool XWindowLost();
