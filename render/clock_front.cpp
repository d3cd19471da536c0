#include "render/clock_front.h"

#include <algorithm>

#include "render/area_painter.h"
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

bool SameBox(const IntBox& a, const IntBox& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

IntBox HullOf(const IntBox& a, const IntBox& b) {
    const int32_t left = std::min(a.left, b.left), top = std::min(a.top, b.top);
    return {left, top, std::max(a.left + a.width, b.left + b.width) - left,
            std::max(a.top + a.height, b.top + b.height) - top};
}

bool CutBox(IntBox& box, const IntBox& by) {
    const int32_t left = std::max(box.left, by.left), top = std::max(box.top, by.top);
    const auto right = static_cast<int32_t>(
        std::min(int64_t{box.left} + box.width, int64_t{by.left} + by.width));
    const auto bottom = static_cast<int32_t>(
        std::min(int64_t{box.top} + box.height, int64_t{by.top} + by.height));
    if (right <= left || bottom <= top) return false;
    box = {left, top, right - left, bottom - top};
    return true;
}

namespace {

// The box within a width x height canvas; false when nothing of it is.
bool ClipBox(IntBox& box, int32_t width, int32_t height) { return CutBox(box, {0, 0, width, height}); }

// Everything the hour and minute hands and the shadows under them are drawn from: held ones
// serve while it stays the same, a minute while a needle glides. Keyed by the values' bytes, so
// no padding, whose bytes are left undefined, may lie in them.
static_assert(sizeof(Hand) == 16 * sizeof(float) && sizeof(IntBox) == 4 * sizeof(int32_t) &&
                  sizeof(HandSizes) == 13 * sizeof(int32_t),
              "the still key reads these as bytes");
std::string StillKeyOf(const ClockScene& scene) {
    std::string key;
    const auto add = [&key](const auto& value) { key.append(reinterpret_cast<const char*>(&value), sizeof value); };
    add(scene.hands.hour), add(scene.hands.minute), add(scene.hands.cap), add(scene.hands.capShadow);
    add(scene.hands.sizes), add(scene.palette.hands), add(scene.settings.colorOfMarkers);
    return key;
}

}  // namespace

std::vector<IntBox> MergedBoxes(const std::vector<IntBox>& boxes) {
    const auto area = [](const IntBox& b) { return int64_t{b.width} * b.height; };
    // A box joins one already kept when their hull is hardly larger than what the two cover: a
    // gliding needle's old and new slices and its shadow's lie almost on one another. Fewer boxes
    // cost a 2-D library's clip less than the few pixels they add. What a kept box covers is
    // counted apart from its hull, so that joins one after another cannot swell it.
    struct Kept {
        IntBox hull;
        int64_t covered;
    };
    std::vector<Kept> kept;
    for (const IntBox& box : boxes) {
        const auto joined = [&](const Kept& k) {
            IntBox overlap = box;
            return k.covered + area(box) - (CutBox(overlap, k.hull) ? area(overlap) : 0);
        };
        auto into = std::find_if(kept.begin(), kept.end(),
                                 [&](const Kept& k) { return area(HullOf(k.hull, box)) * 4 <= joined(k) * 5; });
        if (into == kept.end()) {
            kept.push_back({box, area(box)});
        } else {
            *into = {HullOf(into->hull, box), joined(*into)};
        }
    }
    std::vector<IntBox> merged;
    for (const Kept& k : kept) merged.push_back(k.hull);
    return merged;
}

std::vector<IntBox> ChangedBoxes(const MeasuredSteps& before, const MeasuredSteps& after, int32_t width,
                                 int32_t height) {
    std::vector<IntBox> changed;
    const auto add = [&](IntBox box) {
        if (ClipBox(box, width, height)) changed.push_back(box);
    };
    const size_t was = before.boxes.size(), is = after.boxes.size();
    for (size_t i = 0; i < std::max(was, is); ++i) {
        if (was == is && before.digests[i] == after.digests[i] && SameBox(before.boxes[i], after.boxes[i])) continue;
        if (i < was) add(before.boxes[i]);
        if (i < is) add(after.boxes[i]);
    }
    return MergedBoxes(changed);
}

void RenderDial(ClockCanvas& canvas, const ClockScene& scene) {
    if (!canvas.Valid()) return;
    canvas.PrepareFace(scene.faceWidth, scene.faceHeight);
    if (!canvas.Valid()) return;
    PaintDial(*canvas.FacePainter(), scene);
    // A new dial changes the frame everywhere.
    canvas.lastKnown_ = false;
}

void RenderFrameOverDial(ClockCanvas& canvas, const ClockScene& scene) {
    if (!canvas.Valid()) return;
    // The frame is measured first, so only what moved is rebuilt.
    const bool withinChanges = scene.settings.glide != 0;
    ExtentsPainter measure(withinChanges ? UnionParts::Apart : UnionParts::Together);
    PaintHands(measure, scene);
    MeasuredSteps measured{measure.Boxes(), measure.Digests()};
    const IntBox face = FaceBoxOf(scene);
    const bool partial = canvas.incremental && canvas.lastKnown_ && SameBox(face, canvas.lastFace_) &&
                         scene.palette.ground == canvas.lastGround_;
    if (partial) {
        canvas.changed_ = ChangedBoxes(canvas.lastSteps_, measured, canvas.Width(), canvas.Height());
        if (!canvas.changed_.empty() && withinChanges) {
            // The needle moves thirty times a second, the other hands once a minute: they are put
            // on from what the canvas holds, not drawn again round the needle.
            std::string key = scene.hands.second.shown ? StillKeyOf(scene) : std::string();
            if (!key.empty() && key != canvas.stillKey_) {
                canvas.holdsStill_ = canvas.HoldStill(scene, canvas.held_);
                canvas.stillKey_ = std::move(key);
            }
            const bool held = scene.hands.second.shown && canvas.holdsStill_;
            const auto paint = [&](ClockPainter& p) { PaintHands(p, scene, held ? &canvas.held_ : nullptr); };
            if (!canvas.DrawWithin(scene, canvas.changed_, paint)) {
                canvas.CopyFaceToFrame(scene, &canvas.changed_);
                const std::unique_ptr<ClockPainter> frame = canvas.FramePainter();
                AreaPainter within(*frame, canvas.changed_);
                paint(within);
            }
        } else if (!canvas.changed_.empty()) {
            // Everything the last frame drew goes back to the dial and every step is drawn again:
            // drawing clipped to the changed boxes alone would round some edges differently.
            std::vector<IntBox> drawn;
            for (IntBox box : canvas.lastSteps_.boxes) {
                if (ClipBox(box, canvas.Width(), canvas.Height())) drawn.push_back(box);
            }
            canvas.CopyFaceToFrame(scene, &drawn);
            PaintHands(*canvas.FramePainter(), scene);
        }
    } else {
        // A small clock's frame is its square: the ground round it is laid once.
        const bool groundLaid = canvas.groundLaid_ && SameBox(face, canvas.lastFace_) &&
                                scene.palette.ground == canvas.lastGround_;
        IntBox square = face;
        const bool squareOnly = groundLaid && ClipBox(square, canvas.Width(), canvas.Height());
        const std::vector<IntBox> copied{square};
        canvas.CopyFaceToFrame(scene, squareOnly ? &copied : nullptr);
        PaintHands(*canvas.FramePainter(), scene);
        canvas.changed_ = {{0, 0, canvas.Width(), canvas.Height()}};
    }
    canvas.groundLaid_ = true;
    for (const IntBox& box : measured.boxes) canvas.groundLaid_ = canvas.groundLaid_ && Inside(box, face);
    canvas.lastSteps_ = std::move(measured);
    canvas.lastFace_ = face;
    canvas.lastGround_ = scene.palette.ground;
    canvas.lastKnown_ = true;
}

void RenderClockFrame(ClockCanvas& canvas, const ClockScene& scene) {
    canvas.BeginFrame();
    if (canvas.Valid() && canvas.PrepareFace(scene.faceWidth, scene.faceHeight)) canvas.faceDirty = true;
    // A world clock's date and caption turn at its own zone's midnight, which the ticks of the
    // local time do not see.
    std::u16string dialTexts = scene.dateText + u'\n' + scene.caption;
    if (scene.inRow && dialTexts != canvas.dialTexts_) canvas.faceDirty = true;
    canvas.dialTexts_ = std::move(dialTexts);
    if (canvas.faceDirty && canvas.Valid()) {
        RenderDial(canvas, scene);
        canvas.faceDirty = false;
    }
    RenderFrameOverDial(canvas, scene);
}
