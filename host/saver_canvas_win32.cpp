#include "host/saver_canvas_win32.h"

#include "host/host_state.h"

SaverCanvas saverCanvas{0, 0, nullptr, nullptr, true};

void RenderClock(int32_t width, int32_t height) {
    // One reading for the whole call, so the logo date and the hands always agree.
    SYSTEMTIME now{};
    GetLocalTime(&now);
    SaverCanvas canvas = saverCanvas;
    canvas.width = width;
    canvas.height = height;
    RenderClockWith(canvas, currentSettings, now, hostState.mode == SaverMode::FullScreen);
}
