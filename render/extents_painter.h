// Where a sequence of painter steps lays down colour: boxes per step, grown by its line width and
// a margin for anti-aliasing. A line or polygon is measured in slices across its longer side, so
// that a slanted hand's boxes hug it instead of the square round its diagonal. Platform-free: the
// renderer's front measures each frame with it first, so that a frame rebuilds and shows only the
// steps that changed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/clock_painter.h"

// The boxes a line or polygon is measured in: always this many, so that two frames' boxes pair up.
constexpr int ShapeSlices = 8;

// How a union's figures count: as one step, which changes with any of them (a 2-D library may
// round a figure's edges differently when another on the same rows moves), or each apart, for a
// frame drawn only within the changed boxes.
enum class UnionParts { Together, Apart };

class ExtentsPainter final : public ClockPainter {
public:
    explicit ExtentsPainter(UnionParts unionParts = UnionParts::Together) : unionParts_(unionParts) {}

    // Every box the steps touched, in the order of the steps; a box may reach beyond the canvas.
    const std::vector<IntBox>& Boxes() const { return boxes_; }
    // For each box, a digest of everything its step was given (shape, colour, width, text), so
    // two frames tell which steps changed even where a box stayed the same.
    const std::vector<uint64_t>& Digests() const { return digests_; }

    // Measures where the steps draw, whatever they are clipped to.
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
    bool UseFontFamily(const char16_t* family) override;
    void DrawCentredText(const char16_t* text, const FloatBox& box, float emSize, uint32_t argb) override;
    void DrawOutlinedText(const char16_t* text, const IntBox& box, float emSize, uint32_t fillArgb,
                          uint32_t outlineArgb, float outlineWidth) override;
    void DrawBannerText(const char* text, const IntBox& strip, const char* fontFamily, int32_t fontHeight,
                        uint32_t argb) override;

private:
    void Add(const IntBox& box, double grow);
    void AddPoints(const FloatPoint* points, int count, double grow);
    // The polygon's ShapeSlices boxes, each the part of it within one strip across its longer side.
    void AddSlices(const FloatPoint* points, int count);
    // Mixes the bytes of a step's arguments into the digest of the boxes it adds next.
    template <typename T>
    void Mix(const T& value) { MixBytes(&value, sizeof value); }
    void MixBytes(const void* bytes, size_t count);
    void MixText(const char16_t* text);

    UnionParts unionParts_;
    std::vector<IntBox> boxes_;
    std::vector<uint64_t> digests_;
    uint64_t digest_ = 0;
};
