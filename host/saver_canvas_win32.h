// The saver window's canvas: two canvas-sized off-screen layers and the dial-cache flag.
// Owned by the saver window from its creation to its close; read by the renderer.
#pragma once

#include <windows.h>

#include <cstdint>

struct SaverCanvas {
    int32_t width;
    int32_t height;
    HDC frameLayer;   // the finished frame, copied to the window at each paint
    HDC faceLayer;    // the cached dial, redrawn only while faceDirty is set
    bool faceDirty;
};

extern SaverCanvas saverCanvas;
