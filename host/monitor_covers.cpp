#include "host/monitor_covers.h"

#include <algorithm>

namespace {

bool IsEmpty(const ScreenRect& r) { return r.right <= r.left || r.bottom <= r.top; }

bool Contains(const ScreenRect& outer, const ScreenRect& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
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
