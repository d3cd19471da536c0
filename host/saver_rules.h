// The rules every host of the clock shares, as plain functions of a few numbers: the canvas
// size, the tick policy and its timing, the mouse-movement rule. Platform-free.
#pragma once

#include <cstdint>
#include <optional>

#include "common/local_time.h"
#include "settings/clock_settings.h"

// ---- Canvas size ----

// The preview draws at about this size and shrinks the result, so that a miniature keeps the
// full picture's proportions of line widths and text.
constexpr int32_t PreviewCanvasSide = 768;

struct CanvasSize {
    int32_t width;
    int32_t height;
};

// Full screen: the client size as it is. Preview: the client size times the whole number that
// brings the shorter side closest to PreviewCanvasSide from below, and never less than 1, so a
// preview above that size keeps its own size. A side of 0 or less gives an empty canvas. The
// factor never makes a side overflow.
CanvasSize SaverCanvasSize(bool preview, int32_t clientWidth, int32_t clientHeight);

// ---- Tick policy ----

struct TickState {
    int32_t lastMinute = 0;
    int32_t lastDay = 0;
    // Whether the face of the last tick was dark; unknown before the first, whose frame was
    // already drawn in the palette of its time.
    std::optional<bool> dark;
};

struct TickResult {
    bool invalidate;   // a new frame is due
    bool faceDirty;    // the dial must be redrawn first
};

// One timer message at the given local minute and day of the month.
TickResult Tick(TickState& state, int32_t minute, int32_t day, int32_t showSeconds, int32_t showLogo);

// One timer message at a local time, with the settings that say what the frame shows: the rule
// above, and a new dial when the face turns dark or light at a night boundary.
TickResult TickAt(TickState& state, const LocalDateTime& now, const ClockSettings& settings);

// Ticks land this long after each turn of the second, so the needle moves with the clock.
constexpr int64_t TickLatenessNs = 5'000'000;

// The tick after `now`: just after the next turn of the second.
TickInstant NextTickAfter(TickInstant now);
// Milliseconds from now until the tick at `next`, rounded up. 0 when it is due: when `next` has
// passed (the clock was set forward, or the wait overslept), and when the wait would be longer
// than any tick is ever scheduled ahead, `longestSeconds` and the lateness (the clock was set
// back), so the ticks never stall.
int32_t MillisecondsUntilTick(TickInstant now, TickInstant next, int64_t longestSeconds = 1);

// ---- Mouse-movement rule ----

// The cursor may move this far along each axis between two mouse-move messages.
constexpr int32_t MouseSlack = 10;

struct ScreenPoint {
    int32_t x;
    int32_t y;
};

// True when the move ends the saver; otherwise the anchor follows the cursor, so a slow drift
// never adds up to an end.
bool MouseMoveEndsSaver(ScreenPoint& anchor, ScreenPoint cursor);

