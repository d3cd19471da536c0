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

void ExtentsPainter::MixBytes(const void* bytes, size_t count) {
    // FNV-1a: steps are few and small, and a digest only tells equal steps from changed ones.
    const auto* byte = static_cast<const unsigned char*>(bytes);
    for (size_t i = 0; i < count; ++i) digest_ = (digest_ ^ byte[i]) * 0x100000001B3u;
}

void ExtentsPainter::MixText(const char16_t* text) {
    for (; text != nullptr && *text != u'\0'; ++text) Mix(*text);
}

void ExtentsPainter::Add(const IntBox& box, double grow) {
    const auto margin = static_cast<int32_t>(std::ceil(grow + AntiAliasMargin));
    boxes_.push_back({box.left - margin, box.top - margin, box.width + 2 * margin, box.height + 2 * margin});
    digests_.push_back(digest_);
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

void ExtentsPainter::AddSlices(const FloatPoint* points, int count) {
    if (count <= 0) return;
    // u runs along the longer side of the bounding box, v across it.
    float left = points[0].x, right = points[0].x, top = points[0].y, bottom = points[0].y;
    for (int i = 1; i < count; ++i) {
        left = std::min(left, points[i].x), right = std::max(right, points[i].x);
        top = std::min(top, points[i].y), bottom = std::max(bottom, points[i].y);
    }
    const bool alongX = right - left >= bottom - top;
    const auto u = [alongX](const FloatPoint& p) { return double{alongX ? p.x : p.y}; };
    const auto v = [alongX](const FloatPoint& p) { return double{alongX ? p.y : p.x}; };
    const double from = alongX ? left : top, span = (alongX ? right : bottom) - from;
    for (int k = 0; k < ShapeSlices; ++k) {
        const double a = from + span * k / ShapeSlices, b = from + span * (k + 1) / ShapeSlices;
        // The polygon's extent across a strip lies at its corners within the strip or where its
        // edges cross the strip's sides.
        double low = v(points[0]), high = low;
        bool found = false;
        const auto take = [&](double value) {
            low = found ? std::min(low, value) : value, high = found ? std::max(high, value) : value;
            found = true;
        };
        for (int i = 0; i < count; ++i) {
            const FloatPoint& p = points[i];
            const FloatPoint& q = points[(i + 1) % count];
            if (u(p) >= a && u(p) <= b) take(v(p));
            for (const double side : {a, b}) {
                if ((u(p) - side) * (u(q) - side) < 0) take(v(p) + (v(q) - v(p)) * (side - u(p)) / (u(q) - u(p)));
            }
        }
        if (!found) low = alongX ? top : left, high = alongX ? bottom : right;
        const auto u0 = static_cast<int32_t>(std::floor(a)), u1 = static_cast<int32_t>(std::ceil(b));
        const auto v0 = static_cast<int32_t>(std::floor(low)), v1 = static_cast<int32_t>(std::ceil(high));
        Add(alongX ? IntBox{u0, v0, u1 - u0, v1 - v0} : IntBox{v0, u0, v1 - v0, u1 - u0}, 0);
    }
}

void ExtentsPainter::FillRectangle(const IntBox& box, uint32_t argb) {
    digest_ = 1;
    Mix(box), Mix(argb);
    Add(box, 0);
}

void ExtentsPainter::FillEllipse(const IntBox& box, uint32_t argb) {
    digest_ = 2;
    Mix(box), Mix(argb);
    Add(box, 0);
}

void ExtentsPainter::DrawEllipse(const IntBox& box, uint32_t argb, int32_t width) {
    digest_ = 3;
    Mix(box), Mix(argb), Mix(width);
    Add(box, width / 2.0);
}

void ExtentsPainter::FillEllipseGradient(const IntBox& box, IntPoint from, IntPoint to, uint32_t fromArgb,
                                         uint32_t toArgb) {
    digest_ = 4;
    Mix(box), Mix(from), Mix(to), Mix(fromArgb), Mix(toArgb);
    Add(box, 0);
}

void ExtentsPainter::DrawLine(FloatPoint from, FloatPoint to, uint32_t argb, int32_t width) {
    digest_ = 5;
    Mix(from), Mix(to), Mix(argb), Mix(width);
    // Flat caps: the line is the rectangle of its width round the segment.
    const double dx = to.x - from.x, dy = to.y - from.y, length = std::hypot(dx, dy);
    if (length == 0) {
        const FloatPoint ends[] = {from, to};
        for (int k = 0; k < ShapeSlices; ++k) AddPoints(ends, 2, width / 2.0);
        return;
    }
    const auto nx = static_cast<float>(-dy / length * width / 2), ny = static_cast<float>(dx / length * width / 2);
    const FloatPoint corners[] = {
        {from.x + nx, from.y + ny}, {to.x + nx, to.y + ny}, {to.x - nx, to.y - ny}, {from.x - nx, from.y - ny}};
    AddSlices(corners, 4);
}

void ExtentsPainter::FillPolygon(const FloatPoint* points, int count, uint32_t argb) {
    digest_ = 6;
    MixBytes(points, sizeof *points * static_cast<size_t>(std::max(count, 0))), Mix(argb);
    AddSlices(points, count);
}

void ExtentsPainter::FillUnion(const UnionShape* shapes, int count, uint32_t argb) {
    const auto mixShape = [&](const UnionShape& shape) {
        Mix(shape.kind), Mix(shape.box);
        if (shape.points != nullptr) {
            MixBytes(shape.points, sizeof *shape.points * static_cast<size_t>(std::max(shape.pointCount, 0)));
        }
    };
    if (unionParts_ == UnionParts::Together) {
        digest_ = 7;
        Mix(argb);
        for (int i = 0; i < count; ++i) mixShape(shapes[i]);
    }
    for (int i = 0; i < count; ++i) {
        if (unionParts_ == UnionParts::Apart) {
            digest_ = 7;
            Mix(argb);
            mixShape(shapes[i]);
        }
        if (shapes[i].kind != UnionShape::Kind::Polygon) {
            Add(shapes[i].box, 0);
        } else {
            AddSlices(shapes[i].points, shapes[i].pointCount);
        }
    }
}

void ExtentsPainter::PutHeldHands(const HeldStill& held) {
    digest_ = 11;
    Mix(held.hands);
    for (const IntBox& part : held.handParts) Add(part, 0);
}

bool ExtentsPainter::UseFontFamily(const char16_t*) { return true; }

void ExtentsPainter::DrawCentredText(const char16_t* text, const FloatBox& box, float emSize, uint32_t argb) {
    digest_ = 8;
    MixText(text), Mix(box), Mix(emSize), Mix(argb);
    const FloatPoint corners[] = {{box.left, box.top}, {box.left + box.width, box.top + box.height}};
    AddPoints(corners, 2, 0);
}

void ExtentsPainter::DrawOutlinedText(const char16_t* text, const IntBox& box, float emSize, uint32_t fillArgb,
                                      uint32_t outlineArgb, float outlineWidth) {
    digest_ = 9;
    MixText(text), Mix(box), Mix(emSize), Mix(fillArgb), Mix(outlineArgb), Mix(outlineWidth);
    boxes_.push_back(Everywhere);
    digests_.push_back(digest_);
}

void ExtentsPainter::DrawBannerText(const char* text, const IntBox& strip, const char* fontFamily, int32_t fontHeight,
                                    uint32_t argb) {
    digest_ = 10;
    for (const char* c = text; c != nullptr && *c != '\0'; ++c) Mix(*c);
    for (const char* c = fontFamily; c != nullptr && *c != '\0'; ++c) Mix(*c);
    Mix(strip), Mix(fontHeight), Mix(argb);
    Add(strip, 0);
}
