#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "render/clock_front.h"
#include "render/clock_recipe.h"
#include "render/extents_painter.h"

// One glide step within a minute: the changed area holds the needle, its shadow and its disc
// where they were and where they are, and hugs them: the boxes of their slices, not the square
// round the slanted needle, and none of the other hands' shadows.
TEST(ClockFront, AGlideStepChangesOnlyTheNeedlesArea) {
    // width, height, seconds mode, second (37: the needle slants at 222 or 138 degrees)
    const int32_t cases[][4] = {{1024, 768, 1, 37}, {3840, 2160, 1, 37}, {1920, 1080, 2, 37}, {3840, 2160, 1, 0}};
    for (const auto& [width, height, showSeconds, second] : cases) {
        ClockSettings settings{};
        SetDefaultSettings(settings);
        settings.glide = 1, settings.showSeconds = showSeconds;
        MeasuredSteps frames[2];
        ExtentsPainter needle;  // the needle's parts, measured as the frame measures them
        for (int i = 0; i < 2; ++i) {
            const ClockScene scene =
                MakeClockScene(width, height, settings, {2026, 3, 14, 6, 10, 10, second, 500 + 33 * i}, true, "",
                               [](const LocalDateTime&) { return std::u16string(); });
            ExtentsPainter frame(UnionParts::Apart);
            PaintHands(frame, scene);
            frames[i] = {frame.Boxes(), frame.Digests()};
            const SecondHand& s = scene.hands.second;
            needle.FillPolygon(s.needle, 4, 0), needle.FillPolygon(s.needleShadow, 4, 0);
            needle.DrawEllipse(s.disc, 0, scene.hands.sizes.outlineWidth), needle.FillEllipse(s.discShadow, 0);
        }
        const std::vector<IntBox> changed = ChangedBoxes(frames[0], frames[1], width, height);
        int64_t changedArea = 0, needleArea = 0;
        int32_t left = width, top = height, right = 0, bottom = 0;
        for (const IntBox& b : needle.Boxes()) {
            EXPECT_TRUE(std::any_of(changed.begin(), changed.end(), [&](const IntBox& c) { return Inside(b, c); }))
                << width << ": " << b.left << "," << b.top << " " << b.width << "x" << b.height << " not shown anew";
            needleArea += int64_t{b.width} * b.height;
            left = std::min(left, b.left), top = std::min(top, b.top);
            right = std::max(right, b.left + b.width), bottom = std::max(bottom, b.top + b.height);
        }
        for (const IntBox& b : changed) {
            changedArea += int64_t{b.width} * b.height;
            EXPECT_TRUE(Inside(b, {left, top, right - left, bottom - top}))
                << width << ": changed " << b.left << "," << b.top << " " << b.width << "x" << b.height
                << " lies beyond the needle's " << left << "," << top << " to " << right << "," << bottom;
        }
        // Merged boxes add a little to the slices' own area and stay well within the square.
        EXPECT_LE(changedArea, needleArea * 3 / 2) << width << " " << second;
        if (second == 37) {
            EXPECT_LE(changedArea * 2, int64_t{right - left} * (bottom - top)) << width;
        }
    }
}

// Boxes that lie almost on one another are joined; a chain of boxes each partly over the last
// is not swollen into the square round it, however long the chain.
TEST(ClockFront, JoinedBoxesStayCloseToWhatTheyCover) {
    // how far each 10 x 10 box lies right of and below the one before, how many, how many come out
    const struct { int32_t step; int count; size_t joined; } cases[] = {{1, 2, 1}, {5, 12, 12}, {2, 40, 0}};
    for (const auto& c : cases) {
        MeasuredSteps steps[2];
        for (int k = 0; k < c.count; ++k) {
            steps[k % 2].boxes.push_back({100 + k * c.step, 100 + k * c.step, 10, 10});
            steps[k % 2].digests.push_back(static_cast<uint64_t>(k));
        }
        const std::vector<IntBox> changed = ChangedBoxes(steps[0], steps[1], 1000, 1000);
        int64_t joined = 0;
        for (const IntBox& b : changed) joined += int64_t{b.width} * b.height;
        for (const MeasuredSteps& s : steps) {
            for (const IntBox& b : s.boxes) {
                EXPECT_TRUE(std::any_of(changed.begin(), changed.end(), [&](const IntBox& j) { return Inside(b, j); }));
            }
        }
        if (c.joined != 0) {
            EXPECT_EQ(changed.size(), c.joined) << c.step;
        }
        // A join adds at most a quarter of what its boxes cover.
        EXPECT_LE(joined * 4, int64_t{c.count} * 100 * 5) << c.step;
    }
}
