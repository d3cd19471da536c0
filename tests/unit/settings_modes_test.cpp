#include <gtest/gtest.h>

#include "settings/clock_settings.h"

// Every reader tells apart only 0, 1 and anything else, which acts as the third mode.
TEST(SettingsModes, AnyValueBeyondOneIsTheThirdMode) {
    EXPECT_EQ(SecondsModeOf(0), SecondsMode::Off);
    EXPECT_EQ(SecondsModeOf(1), SecondsMode::Normal);
    for (int32_t v : {2, 7, -1, INT32_MIN, INT32_MAX}) {
        EXPECT_EQ(SecondsModeOf(v), SecondsMode::FullBack) << v;
        EXPECT_EQ(LogoModeOf(v), LogoMode::Text) << v;
    }
    EXPECT_EQ(LogoModeOf(0), LogoMode::Off);
    EXPECT_EQ(LogoModeOf(1), LogoMode::Date);
}

// Light never, dark always, "dark at night" from the start minute up to the end minute: across
// midnight, within one day, or never when both are equal.
TEST(SettingsModes, DarkFaceFollowsTheFaceAndTheNightHours) {
    const struct {
        int32_t face, starts, ends, minute;
        bool dark;
    } cases[] = {
        {0, 1320, 420, 23 * 60, false}, {1, 1320, 420, 12 * 60, true},  {7, 1320, 420, 1319, false},
        {2, 1320, 420, 1320, true},     {2, 1320, 420, 419, true},      {2, 1320, 420, 420, false},
        {2, 780, 900, 779, false},      {2, 780, 900, 780, true},       {2, 780, 900, 899, true},
        {2, 780, 900, 900, false},      {2, 600, 600, 600, false},      {2, 600, 600, 599, false},
    };
    for (const auto& c : cases) {
        ClockSettings settings{};
        SetDefaultSettings(settings);
        settings.face = c.face;
        settings.nightStarts = c.starts;
        settings.nightEnds = c.ends;
        EXPECT_EQ(IsDarkFace(settings, c.minute), c.dark) << c.face << " " << c.starts << "-" << c.ends << " at " << c.minute;
    }
}
