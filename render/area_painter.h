// A painter that draws only within an area: each step is clipped to the area's boxes that meet
// where it draws, drawn unclipped where it lies within one of them and left out where it meets
// none; a union keeps only the figures that reach into the area. Platform-free: it measures each
// step as the front does and hands it on to a canvas's painter. 2-D libraries pay for every box
// of a clip and every row a figure spans, so a gliding needle's frame costs what its few boxes hold.
#pragma once

#include <cstddef>
#include <vector>

#include "render/clock_front.h"
#include "render/clock_painter.h"
#include "render/extents_painter.h"

class AreaPainter final : public ClockPainter {
public:
    // Both must outlive the painter.
    AreaPainter(ClockPainter& target, const std::vector<IntBox>& area) : target_(target), area_(area) {}
    ~AreaPainter() override { target_.ClipTo(nullptr); }

    void ClipTo(const std::vector<IntBox>*) override {}
    void FillRectangle(const IntBox& box, uint32_t argb) override;
    void FillEllipse(const IntBox& box, uint32_t argb) override;
    void DrawEllipse(const IntBox& box, uint32_t argb, int32_t width) override;
    void FillEllipseGradient(const IntBox& box, IntPoint from, IntPoint to, uint32_t fromArgb,
                             uint32_t toArgb) override;
    void DrawLine(FloatPoint from, FloatPoint to, uint32_t argb, int32_t width) override;
    void FillPolygon(const FloatPoint* points, int count, uint32_t argb) override;
    void FillUnion(const UnionShape* shapes, int count, uint32_t argb) override;
    void PutHeldHands(const HeldStill& held) override;
    bool UseFontFamily(const char16_t* family) override { return target_.UseFontFamily(family); }
    void DrawCentredText(const char16_t* text, const FloatBox& box, float emSize, uint32_t argb) override;
    void DrawOutlinedText(const char16_t* text, const IntBox& box, float emSize, uint32_t fillArgb,
                          uint32_t outlineArgb, float outlineWidth) override;
    void DrawBannerText(const char* text, const IntBox& strip, const char* fontFamily, int32_t fontHeight,
                        uint32_t argb) override;

private:
    // The parts, round the step, of the area's boxes that meet what the probe measured.
    std::vector<IntBox> Meeting(const ExtentsPainter& probe) const;
    // Measures the step, clips the target to the boxes it meets and draws it there, if any.
    template <typename Step>
    void Draw(const Step& step);

    ClockPainter& target_;
    const std::vector<IntBox>& area_;
    std::vector<IntBox> clip_;  // what the target is clipped to now; nothing: unclipped
};
