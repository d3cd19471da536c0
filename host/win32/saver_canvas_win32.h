// The renderer's entry for the saver's clock windows.
#pragma once

#include "common/local_time.h"
#include "render/render_clock_win32.h"

// Composes one frame into the canvas's frame layer, redrawing the cached dial into its face
// layer first while faceDirty is set: at the given local time, with currentSettings, full
// screen when hostState.mode is FullScreen.
void RenderClock(SaverCanvas& canvas, const LocalDateTime& time);
