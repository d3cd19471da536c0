// Where the clocks go over several monitors, and which rectangles the full-screen run covers
// besides the clock's own window. Platform-free: monitors come as plain rectangles.
#pragma once

#include <cstdint>
#include <vector>

// A rectangle of the virtual screen in pixels, right and bottom exclusive. Monitors left of or
// above the primary one have negative coordinates.
struct ScreenRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

inline bool operator==(const ScreenRect& a, const ScreenRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

struct MonitorArea {
    ScreenRect rect;
    bool primary;
};

// One cover per monitor that is not the primary one, in the given order. An empty monitor gets
// none, and neither does one that lies wholly inside the primary monitor (a mirrored display):
// the clock already fills it.
std::vector<ScreenRect> CoverRects(const std::vector<MonitorArea>& monitors);

// The main monitor: the one flagged primary, else the one holding the origin, else the first;
// -1 when there is none.
int MainMonitor(const std::vector<MonitorArea>& monitors);

// Where a window's clocks are centred, each at its rectangle's size; the rest of the window is
// black. Monitors are in the window's coordinates and are clipped to it; none known makes the
// window one monitor. `everyMonitor` off: one clock on the main monitor. On: one per monitor,
// in their order, except for empty monitors and those wholly inside another (mirrored displays).
std::vector<ScreenRect> ClockRects(const std::vector<MonitorArea>& monitors, const ScreenRect& window,
                                   bool everyMonitor);

// A window lent for one monitor, centred at (x, y), shows a clock when every monitor has one or
// when it lies on the main monitor (or none is known).
bool LentWindowHasClock(const std::vector<MonitorArea>& monitors, int32_t x, int32_t y, bool everyMonitor);
