#include "host/saver_rules.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

CanvasSize SaverCanvasSize(bool preview, int32_t clientWidth, int32_t clientHeight) {
    if (clientWidth <= 0 || clientHeight <= 0) return {0, 0};
    if (!preview) return {clientWidth, clientHeight};
    int32_t factor = std::max<int32_t>(1, PreviewCanvasSide / std::min(clientWidth, clientHeight));
    // A very long, thin preview must not overflow: the factor shrinks until the longer side fits.
    factor = std::min(factor, std::max<int32_t>(1, INT32_MAX / std::max(clientWidth, clientHeight)));
    return {clientWidth * factor, clientHeight * factor};
}

TickResult Tick(TickState& state, int32_t minute, int32_t day, int32_t showSeconds, int32_t showLogo) {
    constexpr int32_t secondsOff = 0;
    constexpr int32_t logoDate = 1;
    if (minute == state.lastMinute) return {showSeconds != secondsOff, false};
    TickResult result{true, false};
    if (day != state.lastDay) {
        state.lastDay = day;
        result.faceDirty = showLogo == logoDate;
    }
    state.lastMinute = minute;
    return result;
}

TickResult TickAt(TickState& state, const LocalDateTime& now, const ClockSettings& settings) {
    TickResult result = Tick(state, now.minute, now.day, settings.showSeconds, settings.showLogo);
    const bool dark = IsDarkFace(settings, now.hour * 60 + now.minute);
    if (state.dark.has_value() && dark != *state.dark) result = {true, true};
    state.dark = dark;
    return result;
}

TickInstant NextTickAfter(TickInstant now) { return {now.seconds + 1, TickLatenessNs}; }

int32_t MillisecondsUntilTick(TickInstant now, TickInstant next, int64_t longestSeconds) {
    constexpr int64_t NsPerMs = 1'000'000;
    // Longer than any wait ever scheduled: a wait beyond it means the clock was set back.
    const int64_t LongestWaitNs = longestSeconds * 1'000'000'000 + TickLatenessNs + NsPerMs;
    const int64_t ns = (next.seconds - now.seconds) * 1'000'000'000 + (next.nanoseconds - now.nanoseconds);
    if (ns <= 0 || ns > LongestWaitNs) return 0;
    return static_cast<int32_t>((ns + NsPerMs - 1) / NsPerMs);
}

bool MouseMoveEndsSaver(ScreenPoint& anchor, ScreenPoint cursor) {
    // 64-bit differences: screen coordinates are never near the limits, but a hostile message
    // path must not overflow.
    const int64_t dx = std::llabs(int64_t{cursor.x} - anchor.x);
    const int64_t dy = std::llabs(int64_t{cursor.y} - anchor.y);
    if (dx > MouseSlack || dy > MouseSlack) return true;
    anchor = cursor;
    return false;
}
