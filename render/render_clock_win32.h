// The clock renderer on Windows: the recipe carried out by the GDI+ painter on two off-screen
// layers, a cached dial and the frame built over it.
#pragma once

#include <windows.h>

#include <cstdint>

#include "settings/clock_settings.h"

// A canvas of two layers of the same size and the dial-cache flag. The saver window owns one
// (saverCanvas); the frame tool, the benchmark and the tests make their own.
struct SaverCanvas {
    int32_t width;
    int32_t height;
    HDC frameLayer;   // the finished frame, copied to the window at each paint
    HDC faceLayer;    // the cached dial, redrawn only while faceDirty is set
    bool faceDirty;
};

// One render call's inputs; both phases read them.
struct RenderCall {
    RenderCall(const SaverCanvas& canvas, const ClockSettings& settings, const SYSTEMTIME& time, bool fullScreen)
        : canvas(canvas), settings(settings), time(time), fullScreen(fullScreen) {}
    const SaverCanvas& canvas;
    const ClockSettings& settings;
    const SYSTEMTIME time;
    const bool fullScreen;
};

// Draws the static dial into canvas.faceLayer.
void DrawDialFace(const RenderCall& call);
// Copies the dial into canvas.frameLayer and draws the shadow, hands, cap and banner over it.
void ComposeFrame(const RenderCall& call);

// Both phases: the dial first while canvas.faceDirty is set, then the frame. canvas.width and
// canvas.height must be the size of both layers. Never clears faceDirty: the caller does, once
// the frame has been shown.
void RenderClockWith(const SaverCanvas& canvas, const ClockSettings& settings, const SYSTEMTIME& time,
                     bool fullScreen);
