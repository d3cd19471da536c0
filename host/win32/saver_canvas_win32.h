// The renderer's entry for the saver's clock windows.
#pragma once

#include "common/local_time.h"
#include "render/render_clock_win32.h"

// Composes one frame into the canvas's frame layer, redrawing the cached dial into its face
// layer first while faceDirty is set: at the given local time, with currentSettings, full
// screen when hostState.mode is FullScreen.
// A clock in a row of world clocks is given its role (its caption).
void RenderClock(SaverCanvas& canvas, const LocalDateTime& time, const ClockRole& role = {});
