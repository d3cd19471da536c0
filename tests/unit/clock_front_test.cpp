#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "render/clock_front.h"
#include "render/clock_recipe.h"
#include "render/extents_painter.h"

// Half a second of glide within one minute: the changed area holds the needle, its shadow and its
// disc where they were and where they are, and reaches no further than the box round them (grown by
// the cap, whose shadow the needle's shadow crosses).
TEST(ClockFront, AGlideStepChangesOnlyTheNeedlesArea) {
    const int32_t cases[][3] = {{1024, 768, 1}, {3840, 2160, 1}, {1920, 1080, 2}};  // width, height, seconds mode
    for (const auto& [width, height, showSeconds] : cases) {
        ClockSettings settings{};
        SetDefaultSettings(settings);
        settings.glide = 1;
        settings.showSeconds = showSeconds;
        MeasuredSteps frames[2];
        std::vector<IntBox> needle;  // as the frame measures them
        int32_t cap = 0;
        for (int i = 0; i < 2; ++i) {
            const ClockScene scene = MakeClockScene(width, height, settings, {2026, 3, 14, 6, 10, 10, 30, 500 * i},
                                                    true, "", [](const LocalDateTime&) { return std::u16string(); });
            ExtentsPainter frame, parts;
            PaintHands(frame, scene);
            frames[i] = {frame.Boxes(), frame.Digests()};
            const SecondHand& s = scene.hands.second;
            cap = scene.hands.sizes.capRadius;
            parts.FillPolygon(s.needle, 4, 0), parts.FillPolygon(s.needleShadow, 4, 0);
            parts.DrawEllipse(s.disc, 0, scene.hands.sizes.outlineWidth), parts.FillEllipse(s.discShadow, 0);
            needle.insert(needle.end(), parts.Boxes().begin(), parts.Boxes().end());
        }
        const std::vector<IntBox> changed = ChangedBoxes(frames[0], frames[1], width, height);
        IntBox round = needle.front();
        for (const IntBox& b : needle) {
            const int32_t right = std::max(round.left + round.width, b.left + b.width);
            const int32_t bottom = std::max(round.top + round.height, b.top + b.height);
            round.left = std::min(round.left, b.left), round.top = std::min(round.top, b.top);
            round.width = right - round.left, round.height = bottom - round.top;
            EXPECT_TRUE(std::any_of(changed.begin(), changed.end(), [&](const IntBox& c) { return Inside(b, c); }))
                << width << ": " << b.left << "," << b.top << " " << b.width << "x" << b.height << " not shown anew";
        }
        round = {round.left - cap, round.top - cap, round.width + 2 * cap, round.height + 2 * cap};
        for (const IntBox& b : changed) {
            EXPECT_TRUE(Inside(b, round)) << width << ": changed " << b.left << "," << b.top << " " << b.width << "x"
                                          << b.height << " lies outside the needle's " << round.left << "," << round.top
                                          << " " << round.width << "x" << round.height;
        }
    }
}
