#include "render/extents_painter.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// Anti-aliasing may tint the pixel next to an edge, whichever way the edge is rounded.
constexpr double AntiAliasMargin = 2;

// Outlined text is not clipped to its box: it counts as the whole plane.
constexpr IntBox Everywhere{INT32_MIN / 4, INT32_MIN / 4, INT32_MAX / 2, INT32_MAX / 2};

}  // namespace

void ExtentsPainter::Add(const IntBox& box, double grow) {
    const auto margin = static_cast<int32_t>(std::ceil(grow + AntiAliasMargin));
    boxes_.push_back({box.left - margin, box.top - margin, box.width + 2 * margin, box.height + 2 * margin});
}

void ExtentsPainter::AddPoints(const FloatPoint* points, int count, double grow) {
    if (count <= 0) return;
    float left = points[0].x, right = points[0].x, top = points[0].y, bottom = points[0].y;
    for (int i = 1; i < count; ++i) {
        left = std::min(left, points[i].x);
        right = std::max(right, points[i].x);
        top = std::min(top, points[i].y);
        bottom = std::max(bottom, points[i].y);
    }
    const auto x = static_cast<int32_t>(std::floor(left)), y = static_cast<int32_t>(std::floor(top));
    Add({x, y, static_cast<int32_t>(std::ceil(right)) - x, static_cast<int32_t>(std::ceil(bottom)) - y}, grow);
}

void ExtentsPainter::FillRectangle(const IntBox& box, uint32_t argb) {
    Add(box, 0);
    if (through_ != nullptr) through_->FillRectangle(box, argb);
}

void ExtentsPainter::FillEllipse(const IntBox& box, uint32_t argb) {
    Add(box, 0);
    if (through_ != nullptr) through_->FillEllipse(box, argb);
}

void ExtentsPainter::DrawEllipse(const IntBox& box, uint32_t argb, int32_t width) {
    Add(box, width / 2.0);
    if (through_ != nullptr) through_->DrawEllipse(box, argb, width);
}

void ExtentsPainter::FillEllipseGradient(const IntBox& box, IntPoint from, IntPoint to, uint32_t fromArgb,
                                         uint32_t toArgb) {
    Add(box, 0);
    if (through_ != nullptr) through_->FillEllipseGradient(box, from, to, fromArgb, toArgb);
}

void ExtentsPainter::DrawLine(FloatPoint from, FloatPoint to, uint32_t argb, int32_t width) {
    const FloatPoint ends[] = {from, to};
    AddPoints(ends, 2, width / 2.0);
    if (through_ != nullptr) through_->DrawLine(from, to, argb, width);
}

void ExtentsPainter::FillPolygon(const FloatPoint* points, int count, uint32_t argb) {
    AddPoints(points, count, 0);
    if (through_ != nullptr) through_->FillPolygon(points, count, argb);
}

void ExtentsPainter::FillUnion(const UnionShape* shapes, int count, uint32_t argb) {
    if (through_ != nullptr) through_->FillUnion(shapes, count, argb);
    for (int i = 0; i < count; ++i) {
        if (shapes[i].kind == UnionShape::Kind::Ellipse) {
            Add(shapes[i].box, 0);
        } else {
            AddPoints(shapes[i].points, shapes[i].pointCount, 0);
        }
    }
}

bool ExtentsPainter::UseFontFamily(const char16_t* family) {
    return through_ == nullptr || through_->UseFontFamily(family);
}

void ExtentsPainter::DrawCentredText(const char16_t* text, const FloatBox& box, float emSize, uint32_t argb) {
    const FloatPoint corners[] = {{box.left, box.top}, {box.left + box.width, box.top + box.height}};
    AddPoints(corners, 2, 0);
    if (through_ != nullptr) through_->DrawCentredText(text, box, emSize, argb);
}

void ExtentsPainter::DrawOutlinedText(const char16_t* text, const IntBox& box, float emSize, uint32_t fillArgb,
                                      uint32_t outlineArgb, float outlineWidth) {
    boxes_.push_back(Everywhere);
    if (through_ != nullptr) through_->DrawOutlinedText(text, box, emSize, fillArgb, outlineArgb, outlineWidth);
}

void ExtentsPainter::DrawBannerText(const char* text, const IntBox& strip, const char* fontFamily, int32_t fontHeight,
                                    uint32_t argb) {
    Add(strip, 0);
    if (through_ != nullptr) through_->DrawBannerText(text, strip, fontFamily, fontHeight, argb);
}
