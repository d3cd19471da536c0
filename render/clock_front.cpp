#include "render/clock_front.h"

#include "render/clock_recipe.h"
#include "render/extents_painter.h"

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
    std::unique_ptr<ClockPainter> frame = canvas.FramePainter();
    ExtentsPainter drawn(frame.get());
    PaintHands(drawn, scene);
    frame.reset();
    canvas.FrameDrawn(drawn.Boxes());
}

void RenderClockFrame(ClockCanvas& canvas, const ClockScene& scene) {
    canvas.BeginFrame();
    if (canvas.faceDirty && canvas.Valid()) {
        RenderDial(canvas, scene);
        canvas.faceDirty = false;
    }
    RenderFrameOverDial(canvas, scene);
}
