#include "render/clock_front.h"

#include <algorithm>

#include "render/clock_recipe.h"
#include "render/extents_painter.h"

std::vector<IntBox> BareStrips(int32_t width, int32_t height, const IntBox& face) {
    std::vector<IntBox> strips;
    const int32_t left = std::clamp(face.left, 0, width), right = std::clamp(face.left + face.width, 0, width);
    const int32_t top = std::clamp(face.top, 0, height), bottom = std::clamp(face.top + face.height, 0, height);
    // Full-width bands above and below, then the sides between them.
    if (top > 0) strips.push_back({0, 0, width, top});
    if (bottom < height) strips.push_back({0, bottom, width, height - bottom});
    if (left > 0 && bottom > top) strips.push_back({0, top, left, bottom - top});
    if (right < width && bottom > top) strips.push_back({right, top, width - right, bottom - top});
    return strips;
}

bool Inside(const IntBox& inner, const IntBox& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.left + inner.width <= outer.left + outer.width &&
           inner.top + inner.height <= outer.top + outer.height;
}

void RenderDial(ClockCanvas& canvas, const ClockScene& scene) {
    if (!canvas.Valid()) return;
    canvas.PrepareFace(scene.faceWidth, scene.faceHeight);
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
    if (canvas.Valid() && canvas.PrepareFace(scene.faceWidth, scene.faceHeight)) canvas.faceDirty = true;
    if (canvas.faceDirty && canvas.Valid()) {
        RenderDial(canvas, scene);
        canvas.faceDirty = false;
    }
    RenderFrameOverDial(canvas, scene);
}
