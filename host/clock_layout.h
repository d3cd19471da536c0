// Where the clocks go: for each monitor, black or the rectangles of its clocks. Platform-free:
// monitors come as plain rectangles (Windows monitors, RandR or Xinerama monitors, Wayland
// outputs), and every host and the covers take their places from this one layout.
#pragma once

#include <cstdint>
#include <vector>

#include "settings/clock_settings.h"

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

// The main monitor: the one flagged primary, else the one holding the origin, else the first;
// -1 when there is none.
int MainMonitor(const std::vector<MonitorArea>& monitors);

// One monitor's part of the layout.
struct MonitorPlan {
    ScreenRect monitor;             // clipped to the window
    bool main;
    // Wholly inside the main monitor, or inside a larger monitor or an equal one listed before:
    // a host that draws all monitors into one picture (or covers them with windows) leaves it to
    // the one it lies in. It shows what that one shows.
    bool mirror;
    std::vector<ScreenRect> clocks;  // each clock's picture, in the window's coordinates; none: black
};

// The plan of each monitor, in the given order. Monitors are in the window's coordinates and
// are clipped to it; none known makes the window one main monitor. With `monitors` of the
// settings 0 the main monitor (and its mirrors) shows the clock and the rest are black; else
// every monitor does. An empty monitor is black and a mirror. A clock monitor shows `clocks`
// clocks (the local one and the world clocks) side by side in equal cells: a row, or a column on
// a monitor taller than wide.
std::vector<MonitorPlan> LayOutClocks(const std::vector<MonitorArea>& monitors, const ScreenRect& window,
                                      const ClockSettings& settings, int clocks = 1);
// The cells of `clocks` clocks side by side in a rectangle, in order.
std::vector<ScreenRect> ClockCells(const ScreenRect& area, int clocks);

// The first plan whose monitor holds the point, mirrors last; null when none does.
const MonitorPlan* PlanAt(const std::vector<MonitorPlan>& plans, int32_t x, int32_t y);

// A window lent for one monitor (XScreenSaver lends one per monitor), centred at (x, y) of the
// laid-out screen, shows a clock when the monitor it lies on does; off every monitor, only when
// every monitor shows one.
bool LentWindowHasClock(const std::vector<MonitorPlan>& plans, int32_t x, int32_t y, const ClockSettings& settings);
