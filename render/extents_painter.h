// Where a sequence of painter steps lays down colour: one box per step, grown by its line
// width and a margin for anti-aliasing, noted while the steps go on to the painter given (if
// any), so that a frame is drawn and measured in one pass. Platform-free: a platform that shows
// only what changed between two frames restores and shows just those boxes.
#pragma once

#include <vector>

#include "render/clock_painter.h"

class ExtentsPainter final : public ClockPainter {
public:
    explicit ExtentsPainter(ClockPainter* through = nullptr) : through_(through) {}

    // Every box the steps touched, in the order of the steps; a box may reach beyond the canvas.
    const std::vector<IntBox>& Boxes() const { return boxes_; }

    void FillRectangle(const IntBox& box, uint32_t argb) override;
    void FillEllipse(const IntBox& box, uint32_t argb) override;
    void DrawEllipse(const IntBox& box, uint32_t argb, int32_t width) override;
    void FillEllipseGradient(const IntBox& box, IntPoint from, IntPoint to, uint32_t fromArgb,
                             uint32_t toArgb) override;
    void DrawLine(FloatPoint from, FloatPoint to, uint32_t argb, int32_t width) override;
    void FillPolygon(const FloatPoint* points, int count, uint32_t argb) override;
    void FillUnion(const UnionShape* shapes, int count, uint32_t argb) override;
    bool UseFontFamily(const char16_t* family) override;
    void DrawCentredText(const char16_t* text, const FloatBox& box, float emSize, uint32_t argb) override;
    void DrawOutlinedText(const char16_t* text, const IntBox& box, float emSize, uint32_t fillArgb,
                          uint32_t outlineArgb, float outlineWidth) override;
    void DrawBannerText(const char* text, const IntBox& strip, const char* fontFamily, int32_t fontHeight,
                        uint32_t argb) override;

private:
    void Add(const IntBox& box, double grow);
    void AddPoints(const FloatPoint* points, int count, double grow);

    ClockPainter* through_;
    std::vector<IntBox> boxes_;
};
