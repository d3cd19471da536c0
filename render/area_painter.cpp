#include "render/area_painter.h"

#include <algorithm>

namespace {

IntBox Hull(const std::vector<IntBox>& boxes) {
    IntBox hull = boxes[0];
    for (const IntBox& b : boxes) hull = HullOf(hull, b);
    return hull;
}

// The polygon cut by one side of a box (Sutherland-Hodgman): `inside` tells the kept side,
// `cross` where an edge crosses it.
template <typename Inside, typename Cross>
std::vector<FloatPoint> CutBySide(const std::vector<FloatPoint>& polygon, Inside inside, Cross cross) {
    std::vector<FloatPoint> kept;
    for (size_t i = 0; i < polygon.size(); ++i) {
        const FloatPoint& p = polygon[i];
        const FloatPoint& q = polygon[(i + 1) % polygon.size()];
        if (inside(p)) kept.push_back(p);
        if (inside(p) != inside(q)) kept.push_back(cross(p, q));
    }
    return kept;
}

// The polygon within the box.
std::vector<FloatPoint> CutPolygon(const FloatPoint* points, int count, const IntBox& box) {
    std::vector<FloatPoint> polygon(points, points + count);
    const auto atX = [](float x) {
        return [x](const FloatPoint& p, const FloatPoint& q) { return FloatPoint{x, p.y + (q.y - p.y) * (x - p.x) / (q.x - p.x)}; };
    };
    const auto atY = [](float y) {
        return [y](const FloatPoint& p, const FloatPoint& q) { return FloatPoint{p.x + (q.x - p.x) * (y - p.y) / (q.y - p.y), y}; };
    };
    const auto left = static_cast<float>(box.left), right = static_cast<float>(box.left + box.width);
    const auto top = static_cast<float>(box.top), bottom = static_cast<float>(box.top + box.height);
    polygon = CutBySide(polygon, [&](const FloatPoint& p) { return p.x >= left; }, atX(left));
    polygon = CutBySide(polygon, [&](const FloatPoint& p) { return p.x <= right; }, atX(right));
    polygon = CutBySide(polygon, [&](const FloatPoint& p) { return p.y >= top; }, atY(top));
    return CutBySide(polygon, [&](const FloatPoint& p) { return p.y <= bottom; }, atY(bottom));
}

}  // namespace

std::vector<IntBox> AreaPainter::Meeting(const ExtentsPainter& probe) const {
    std::vector<IntBox> meeting;
    if (probe.Boxes().empty()) return meeting;
    const IntBox extent = Hull(probe.Boxes());
    for (IntBox box : area_) {
        const bool meets = std::any_of(probe.Boxes().begin(), probe.Boxes().end(), [&](IntBox part) {
            return CutBox(part, box);
        });
        // Only the part round the step counts: Cairo pays for every box of a clip and every row
        // it spans.
        if (meets && CutBox(box, extent)) meeting.push_back(box);
    }
    // A part within another adds nothing.
    std::vector<IntBox> kept;
    for (size_t i = 0; i < meeting.size(); ++i) {
        bool within = false;
        for (size_t j = 0; j < meeting.size() && !within; ++j) {
            within = j != i && Inside(meeting[i], meeting[j]) && (!Inside(meeting[j], meeting[i]) || j < i);
        }
        if (!within) kept.push_back(meeting[i]);
    }
    return kept;
}

template <typename Step>
void AreaPainter::Draw(const Step& step) {
    ExtentsPainter probe;
    step(probe);
    // A step whose every part lies within one of the boxes (the needle, its disc, the cap: the
    // boxes were measured round them) draws nothing outside them, and a clip costs the 2-D
    // libraries at every row and call: it is drawn unclipped.
    const bool within = !probe.Boxes().empty() &&
                        std::all_of(probe.Boxes().begin(), probe.Boxes().end(), [&](const IntBox& part) {
                            return std::any_of(area_.begin(), area_.end(),
                                               [&](const IntBox& box) { return Inside(part, box); });
                        });
    std::vector<IntBox> meeting = within ? std::vector<IntBox>() : Meeting(probe);
    if (!within && meeting.empty()) return;
    if (!std::equal(meeting.begin(), meeting.end(), clip_.begin(), clip_.end(), SameBox)) {
        clip_ = std::move(meeting);
        target_.ClipTo(clip_.empty() ? nullptr : &clip_);
    }
    step(target_);
}

void AreaPainter::FillRectangle(const IntBox& box, uint32_t argb) {
    Draw([&](ClockPainter& p) { p.FillRectangle(box, argb); });
}

void AreaPainter::FillEllipse(const IntBox& box, uint32_t argb) {
    Draw([&](ClockPainter& p) { p.FillEllipse(box, argb); });
}

void AreaPainter::DrawEllipse(const IntBox& box, uint32_t argb, int32_t width) {
    Draw([&](ClockPainter& p) { p.DrawEllipse(box, argb, width); });
}

void AreaPainter::FillEllipseGradient(const IntBox& box, IntPoint from, IntPoint to, uint32_t fromArgb,
                                      uint32_t toArgb) {
    Draw([&](ClockPainter& p) { p.FillEllipseGradient(box, from, to, fromArgb, toArgb); });
}

void AreaPainter::DrawLine(FloatPoint from, FloatPoint to, uint32_t argb, int32_t width) {
    Draw([&](ClockPainter& p) { p.DrawLine(from, to, argb, width); });
}

void AreaPainter::FillPolygon(const FloatPoint* points, int count, uint32_t argb) {
    Draw([&](ClockPainter& p) { p.FillPolygon(points, count, argb); });
}

void AreaPainter::FillUnion(const UnionShape* shapes, int count, uint32_t argb) {
    // A figure that reaches into none of the boxes adds nothing there, and a polygon adds only
    // its part round the boxes it reaches into: cut there, a long hand's shadow no longer spans
    // every row of the needle's.
    std::vector<UnionShape> kept;
    std::vector<std::vector<FloatPoint>> cuts(static_cast<size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) {
        ExtentsPainter probe;
        probe.FillUnion(&shapes[i], 1, argb);
        const std::vector<IntBox> meeting = Meeting(probe);
        if (meeting.empty()) continue;
        UnionShape shape = shapes[i];
        if (shape.kind == UnionShape::Kind::Polygon) {
            // A margin keeps the cut's new edges and their anti-aliasing outside the boxes.
            constexpr int32_t Margin = 2;
            IntBox round = Hull(meeting);
            round = {round.left - Margin, round.top - Margin, round.width + 2 * Margin, round.height + 2 * Margin};
            cuts[i] = CutPolygon(shape.points, shape.pointCount, round);
            if (cuts[i].size() < 3) continue;
            shape.points = cuts[i].data();
            shape.pointCount = static_cast<int>(cuts[i].size());
        }
        kept.push_back(shape);
    }
    if (kept.empty()) return;
    Draw([&](ClockPainter& p) { p.FillUnion(kept.data(), static_cast<int>(kept.size()), argb); });
}

void AreaPainter::PutHeldHands(const HeldStill& held) {
    Draw([&](ClockPainter& p) { p.PutHeldHands(held); });
}

void AreaPainter::DrawCentredText(const char16_t* text, const FloatBox& box, float emSize, uint32_t argb) {
    Draw([&](ClockPainter& p) { p.DrawCentredText(text, box, emSize, argb); });
}

void AreaPainter::DrawOutlinedText(const char16_t* text, const IntBox& box, float emSize, uint32_t fillArgb,
                                   uint32_t outlineArgb, float outlineWidth) {
    Draw([&](ClockPainter& p) { p.DrawOutlinedText(text, box, emSize, fillArgb, outlineArgb, outlineWidth); });
}

void AreaPainter::DrawBannerText(const char* text, const IntBox& strip, const char* fontFamily, int32_t fontHeight,
                                 uint32_t argb) {
    Draw([&](ClockPainter& p) { p.DrawBannerText(text, strip, fontFamily, fontHeight, argb); });
}
