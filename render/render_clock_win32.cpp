#include "render/render_clock_win32.h"

#include "host/host_state.h"
#include "render/clock_layers_win32.h"
#include "render/render_status.h"

RenderCall::RenderCall(const SaverCanvas& canvas, const ClockSettings& settings, const SYSTEMTIME& time,
                       bool fullScreen)
    : canvas(canvas),
      settings(settings),
      time(time),
      fullScreen(fullScreen),
      dial(DialGeometryOf(canvas.width, canvas.height)) {
    // Their creation colours never reach the picture: every use sets the colour first.
    CreateInto(inkPen, "GdipCreatePen1", gdip::GdipCreatePen1, ColorRefToArgb(settings.colorOfInk),
               static_cast<Gdiplus::REAL>(dial.unit), Gdiplus::UnitWorld);
    CreateInto(backgroundFill, "GdipCreateSolidFill", gdip::GdipCreateSolidFill,
               ColorRefToArgb(settings.colorOfBackground));
    CreateInto(inkFill, "GdipCreateSolidFill", gdip::GdipCreateSolidFill, ColorRefToArgb(settings.colorOfInk));
}

void RenderClockWith(const SaverCanvas& canvas, const ClockSettings& settings, const SYSTEMTIME& time,
                     bool fullScreen) {
    ResetRenderStatus();
    RenderCall call(canvas, settings, time, fullScreen);
    if (canvas.faceDirty) DrawDialFace(call);
    ComposeFrame(call);
}

void RenderClock(int32_t width, int32_t height) {
    // One reading for the whole call, so the logo date and the hands always agree.
    SYSTEMTIME now{};
    GetLocalTime(&now);
    SaverCanvas canvas = saverCanvas;
    canvas.width = width;
    canvas.height = height;
    RenderClockWith(canvas, currentSettings, now, hostState.mode == SaverMode::FullScreen);
}
