// Placeholder until the renderer lands: shows the cached layer unchanged.
#include "render/render_clock_win32.h"

#include "host/saver_canvas_win32.h"

void RenderClock(int32_t width, int32_t height) {
    BitBlt(saverCanvas.frameLayer, 0, 0, width, height, saverCanvas.faceLayer, 0, 0, SRCCOPY);
}
