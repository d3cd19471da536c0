// The clock renderer's entry: composes one frame into saverCanvas.frameLayer,
// redrawing the cached dial into saverCanvas.faceLayer first while saverCanvas.faceDirty is set.
#pragma once

#include <cstdint>

// Reads the local time once, currentSettings, saverCanvas and whether hostState.mode is FullScreen.
// Never clears faceDirty: the paint handler does, once the frame has been shown.
void RenderClock(int32_t width, int32_t height);
