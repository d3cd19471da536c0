// The saver window's canvas, and the renderer's entry over it.
#pragma once

#include <cstdint>

#include "render/render_clock_win32.h"

// Owned by the saver window from its creation to its close; read by RenderClock.
extern SaverCanvas saverCanvas;

// Composes one frame into saverCanvas.frameLayer, redrawing the cached dial into
// saverCanvas.faceLayer first while saverCanvas.faceDirty is set. Reads the local time once,
// currentSettings, and whether hostState.mode is FullScreen.
void RenderClock(int32_t width, int32_t height);
