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
