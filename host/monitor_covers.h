// Which rectangles the full-screen run covers in black besides the clock's own window: the
// monitors other than the primary one. Platform-free: monitors come as plain rectangles.
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
