// The two phases of one render call and what they share. RenderClockWith runs them in order;
// the benchmark times them one by one.
#pragma once

#include <windows.h>

#include "host/saver_canvas_win32.h"
#include "render/dial_geometry.h"
#include "render/gdiplus_holders_win32.h"
#include "settings/clock_settings.h"

// Everything one call works with: its inputs, the geometry, and the pen and two fills that both
// phases use. The drawing objects are created with the call and deleted with it.
struct RenderCall {
    RenderCall(const SaverCanvas& canvas, const ClockSettings& settings, const SYSTEMTIME& time,
               bool fullScreen);

    const SaverCanvas& canvas;
    const ClockSettings& settings;
    const SYSTEMTIME time;
    const bool fullScreen;
    const DialGeometry dial;
    PenHolder inkPen;
    SolidFillHolder backgroundFill;
    SolidFillHolder inkFill;
};

// Draws the static dial into canvas.faceLayer.
void DrawDialFace(RenderCall& call);
// Copies the dial into canvas.frameLayer and draws the shadow, hands, cap and banner over it.
void ComposeFrame(RenderCall& call);
// The maker's address at the top right of the frame; nothing unless the run is full-screen.
void DrawAddressBanner(HDC frame, const RECT& canvasRect, bool fullScreen, COLORREF ink);
