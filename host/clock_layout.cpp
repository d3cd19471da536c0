#include "host/clock_layout.h"

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

// The monitor a mirror shows the picture of: the main one when it lies in it, else the first
// larger (or equal and earlier) one that holds it; -1 for a monitor of its own.
int MirroredBy(const std::vector<ScreenRect>& monitors, size_t i, int main) {
    if (static_cast<int>(i) == main) return -1;
    if (main >= 0 && Contains(monitors[main], monitors[i])) return main;
    for (size_t j = 0; j < monitors.size(); ++j) {
        const bool before = Area(monitors[j]) > Area(monitors[i]) || j < i;
        if (j != i && before && !IsEmpty(monitors[j]) && Contains(monitors[j], monitors[i])) return static_cast<int>(j);
    }
    return -1;
}

}  // namespace

int MainMonitor(const std::vector<MonitorArea>& monitors) {
    for (size_t i = 0; i < monitors.size(); ++i) {
        if (monitors[i].primary) return static_cast<int>(i);
    }
    for (size_t i = 0; i < monitors.size(); ++i) {
        if (Holds(monitors[i].rect, 0, 0)) return static_cast<int>(i);
    }
    return monitors.empty() ? -1 : 0;
}

std::vector<ScreenRect> ClockCells(const ScreenRect& area, int clocks) {
    if (clocks <= 1) return {area};
    std::vector<ScreenRect> cells;
    const bool column = area.bottom - area.top > area.right - area.left;
    const int64_t span = column ? area.bottom - area.top : area.right - area.left;
    for (int i = 0; i < clocks; ++i) {
        // Cells share the pixels out evenly, the last reaching the far edge.
        const auto from = static_cast<int32_t>(span * i / clocks), to = static_cast<int32_t>(span * (i + 1) / clocks);
        cells.push_back(column ? ScreenRect{area.left, area.top + from, area.right, area.top + to}
                               : ScreenRect{area.left + from, area.top, area.left + to, area.bottom});
    }
    return cells;
}

std::vector<MonitorPlan> LayOutClocks(const std::vector<MonitorArea>& monitors, const ScreenRect& window,
                                      const ClockSettings& settings, int clocks) {
    if (monitors.empty()) {
        if (IsEmpty(window)) return {};
        return {MonitorPlan{window, true, false, ClockCells(window, clocks)}};
    }
    const int main = MainMonitor(monitors);
    std::vector<ScreenRect> clipped;
    for (const MonitorArea& monitor : monitors) clipped.push_back(Clip(monitor.rect, window));
    const bool every = settings.monitors != 0;
    std::vector<MonitorPlan> plans;
    for (size_t i = 0; i < clipped.size(); ++i) {
        const ScreenRect& rect = clipped[i];
        const int mirrored = MirroredBy(clipped, i, main);
        const int shown = mirrored >= 0 ? mirrored : static_cast<int>(i);
        MonitorPlan plan{rect, static_cast<int>(i) == main, mirrored >= 0 || IsEmpty(rect), {}};
        if (!IsEmpty(rect) && (every || shown == main)) plan.clocks = ClockCells(rect, clocks);
        plans.push_back(plan);
    }
    return plans;
}

const MonitorPlan* PlanAt(const std::vector<MonitorPlan>& plans, int32_t x, int32_t y) {
    for (bool mirrors : {false, true}) {
        for (const MonitorPlan& plan : plans) {
            if (plan.mirror == mirrors && Holds(plan.monitor, x, y)) return &plan;
        }
    }
    return nullptr;
}

bool LentWindowHasClock(const std::vector<MonitorPlan>& plans, int32_t x, int32_t y, const ClockSettings& settings) {
    const MonitorPlan* plan = PlanAt(plans, x, y);
    return plan != nullptr ? !plan->clocks.empty() : settings.monitors != 0;
}
