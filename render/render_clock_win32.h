// The clock renderer's entry: composes one frame into saverCanvas.frameLayer,
// redrawing the cached dial into saverCanvas.faceLayer first while saverCanvas.faceDirty is set.
#pragma once

#include <windows.h>

#include <cstdint>

#include "host/saver_canvas_win32.h"
#include "settings/clock_settings.h"

// Reads the local time once, currentSettings, saverCanvas and whether hostState.mode is FullScreen.
// Never clears faceDirty: the paint handler does, once the frame has been shown.
void RenderClock(int32_t width, int32_t height);

// The same drawing with every input passed in: the frame tool, the benchmark and the tests draw
// on canvases of their own, at a time of their choosing. canvas.width and canvas.height must be
// the size of both layers.
void RenderClockWith(const SaverCanvas& canvas, const ClockSettings& settings, const SYSTEMTIME& time,
                     bool fullScreen);
