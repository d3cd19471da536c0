#include "host/monitor_covers.h"

#include <algorithm>

namespace {

bool IsEmpty(const ScreenRect& r) { return r.right <= r.left || r.bottom <= r.top; }

bool Contains(const ScreenRect& outer, const ScreenRect& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool Holds(const ScreenRect& r, int32_t x, int32_t y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

int64_t Area(const ScreenRect& r) { return IsEmpty(r) ? 0 : int64_t{r.right - r.left} * (r.bottom - r.top); }

ScreenRect Clip(const ScreenRect& r, const ScreenRect& window) {
    return {std::max(r.left, window.left), std::max(r.top, window.top), std::min(r.right, window.right),
            std::min(r.bottom, window.bottom)};
}

// A mirror lies wholly in a larger monitor, or in an equal one listed before it.
bool IsMirror(const std::vector<ScreenRect>& monitors, size_t i) {
    for (size_t j = 0; j < monitors.size(); ++j) {
        const bool before = Area(monitors[j]) > Area(monitors[i]) || j < i;
        if (j != i && before && Contains(monitors[j], monitors[i])) return true;
    }
    return false;
}

}  // namespace

std::vector<ScreenRect> CoverRects(const std::vector<MonitorArea>& monitors) {
    const auto primary =
        std::find_if(monitors.begin(), monitors.end(), [](const MonitorArea& m) { return m.primary; });
    std::vector<ScreenRect> covers;
    for (const MonitorArea& monitor : monitors) {
        if (monitor.primary || IsEmpty(monitor.rect)) continue;
        if (primary != monitors.end() && Contains(primary->rect, monitor.rect)) continue;
        covers.push_back(monitor.rect);
    }
    return covers;
}

int MainMonitor(const std::vector<MonitorArea>& monitors) {
    for (size_t i = 0; i < monitors.size(); ++i) {
        if (monitors[i].primary) return static_cast<int>(i);
    }
    for (size_t i = 0; i < monitors.size(); ++i) {
        if (Holds(monitors[i].rect, 0, 0)) return static_cast<int>(i);
    }
    return monitors.empty() ? -1 : 0;
}

std::vector<ScreenRect> ClockRects(const std::vector<MonitorArea>& monitors, const ScreenRect& window,
                                   bool everyMonitor) {
    if (monitors.empty()) return IsEmpty(window) ? std::vector<ScreenRect>{} : std::vector<ScreenRect>{window};
    std::vector<ScreenRect> clipped;
    for (const MonitorArea& monitor : monitors) clipped.push_back(Clip(monitor.rect, window));
    if (!everyMonitor) clipped = {clipped[MainMonitor(monitors)]};
    std::vector<ScreenRect> clocks;
    for (size_t i = 0; i < clipped.size(); ++i) {
        if (!IsEmpty(clipped[i]) && !IsMirror(clipped, i)) clocks.push_back(clipped[i]);
    }
    return clocks;
}

bool LentWindowHasClock(const std::vector<MonitorArea>& monitors, int32_t x, int32_t y, bool everyMonitor) {
    return everyMonitor || monitors.empty() || Holds(monitors[MainMonitor(monitors)].rect, x, y);
}
