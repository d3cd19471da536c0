#include "render/clock_front.h"

#include "common/render_status.h"
#include "render/clock_recipe.h"

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
