#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "render/clock_front.h"
#include "render/clock_recipe.h"
#include "render/extents_painter.h"

// Half a second of glide within one minute: the changed area holds the needle, its shadow and its
// disc where they were and where they are, and reaches no further than the box round them and the
// other hands' shadows, which are filled with the needle's as one shape.
TEST(ClockFront, AGlideStepChangesOnlyTheNeedlesArea) {
    const int32_t cases[][3] = {{1024, 768, 1}, {3840, 2160, 1}, {1920, 1080, 2}};  // width, height, seconds mode
    for (const auto& [width, height, showSeconds] : cases) {
        ClockSettings settings{};
        SetDefaultSettings(settings);
        settings.glide = 1, settings.showSeconds = showSeconds;
        MeasuredSteps frames[2];
        ExtentsPainter needle;  // the needle's parts, measured as the frame measures them
        ExtentsPainter near;    // and the shadows filled with them
        for (int i = 0; i < 2; ++i) {
            const ClockScene scene = MakeClockScene(width, height, settings, {2026, 3, 14, 6, 10, 10, 30, 500 * i},
                                                    true, "", [](const LocalDateTime&) { return std::u16string(); });
            ExtentsPainter frame;
            PaintHands(frame, scene);
            frames[i] = {frame.Boxes(), frame.Digests()};
            const SecondHand& s = scene.hands.second;
            needle.FillPolygon(s.needle, 4, 0), needle.FillPolygon(s.needleShadow, 4, 0);
            needle.DrawEllipse(s.disc, 0, scene.hands.sizes.outlineWidth), needle.FillEllipse(s.discShadow, 0);
            near.FillPolygon(scene.hands.hour.shadow, 4, 0), near.FillPolygon(scene.hands.minute.shadow, 4, 0);
            near.FillEllipse(scene.hands.capShadow, 0);
        }
        const std::vector<IntBox> changed = ChangedBoxes(frames[0], frames[1], width, height);
        int32_t left = width, top = height, right = 0, bottom = 0;
        std::vector<IntBox> bounds = needle.Boxes();
        bounds.insert(bounds.end(), near.Boxes().begin(), near.Boxes().end());
        for (const IntBox& b : bounds) {
            left = std::min(left, b.left), top = std::min(top, b.top);
            right = std::max(right, b.left + b.width), bottom = std::max(bottom, b.top + b.height);
        }
        for (const IntBox& b : needle.Boxes()) {
            EXPECT_TRUE(std::any_of(changed.begin(), changed.end(), [&](const IntBox& c) { return Inside(b, c); }))
                << width << ": " << b.left << "," << b.top << " " << b.width << "x" << b.height << " not shown anew";
        }
        for (const IntBox& b : changed) {
            EXPECT_TRUE(Inside(b, {left, top, right - left, bottom - top}))
                << width << ": changed " << b.left << "," << b.top << " " << b.width << "x" << b.height
                << " lies beyond the hands' shadows and the needle's " << left << "," << top << " to " << right << "," << bottom;
        }
    }
}
