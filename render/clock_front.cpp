#include "render/clock_front.h"

#include "common/render_status.h"
#include "render/clock_recipe.h"

std::vector<IntBox> BareStrips(int32_t width, int32_t height, IntPoint offset) {
    std::vector<IntBox> strips;
    const int32_t dx = offset.x, dy = offset.y;
    if (dx > 0) strips.push_back({0, 0, dx, height});
    if (dx < 0) strips.push_back({width + dx, 0, -dx, height});
    if (dy > 0) strips.push_back({0, 0, width, dy});
    if (dy < 0) strips.push_back({0, height + dy, width, -dy});
    return strips;
}

void RenderDial(ClockCanvas& canvas, const ClockScene& scene) {
    if (!canvas.Valid()) return;
    PaintDial(*canvas.FacePainter(), scene);
}

void RenderFrameOverDial(ClockCanvas& canvas, const ClockScene& scene) {
    if (!canvas.Valid()) return;
    canvas.CopyFaceToFrame(scene);
    PaintHands(*canvas.FramePainter(), scene);
}

void RenderClockFrame(ClockCanvas& canvas, const ClockScene& scene) {
    ResetRenderStatus();
    if (canvas.faceDirty) RenderDial(canvas, scene);
    RenderFrameOverDial(canvas, scene);
}
