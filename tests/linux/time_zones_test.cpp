// The system's IANA zones: the conversion table and the list.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/utf8_text.h"
#include "host/world_clocks.h"
#include "tests/time_zone_cases.h"

TEST(TimeZones, ConvertByTheSystemsRules) {
    for (const TimeZoneCase& c : TimeZoneCases) {
        const auto zone = FindTimeZone(c.ianaName);
        ASSERT_NE(zone, nullptr) << Utf8Of(c.ianaName);
        EXPECT_EQ(ShownAt(*zone, c), c.local) << Utf8Of(c.ianaName) << " at " << UnixSecondsOf(c.utc);
    }
}

TEST(TimeZones, ListTheDatabaseAndRefuseTheUnknown) {
    std::vector<std::u16string> names;
    for (const TimeZoneChoice& zone : SystemTimeZones()) names.push_back(zone.name);
    const auto listed = [&](const char16_t* name) { return std::count(names.begin(), names.end(), name); };
    EXPECT_EQ(listed(u"Asia/Tokyo") + listed(u"America/Argentina/Buenos_Aires") + listed(u"localtime"), 2);
    for (const char16_t* unknown : {u"", u"Mars/Olympus", u"localtime", u"../zoneinfo/Asia/Tokyo", u"Tokyo Standard Time"}) {
        EXPECT_EQ(FindTimeZone(unknown), nullptr) << Utf8Of(unknown);
    }
}

// World clocks leave out a zone the system does not know, and mark a day ahead or behind.
TEST(WorldClocksTest, UnknownZonesAreLeftOutAndCaptionsTellTheDay) {
    ClockSettings settings{};
    SetDefaultSettings(settings);
    CopySettingsText(settings.worldZone[0], u"Nowhere/Atlantis");
    CopySettingsText(settings.worldZone[2], u"Asia/Tokyo");
    const WorldClocks world(settings);
    ASSERT_EQ(world.Count(), 2);
    const ClockReading now{{1773453600, 0}, {2026, 3, 14, 6, 2, 0, 0}};  // 02:00 UTC, local UTC
    EXPECT_EQ(world.TimeOf(1, now).hour, 11);
    EXPECT_TRUE(world.CaptionOf(1, world.TimeOf(1, now), now.local) == u"Tokyo");
    const LocalDateTime today{2026, 3, 14, 6, 23, 0, 0}, tomorrow{2026, 3, 15, 0, 1, 0, 0}, newYear{2027, 1, 1, 5, 1, 0, 0};
    EXPECT_TRUE(CaptionWithDay(u"A", tomorrow, today) == u"A +1");
    EXPECT_TRUE(CaptionWithDay(u"A", today, tomorrow) == u"A -1");
    EXPECT_TRUE(CaptionWithDay(u"A", newYear, {2026, 12, 31, 4, 23, 0, 0}) == u"A +1");
    EXPECT_TRUE(CaptionWithDay(u"A", today, today) == u"A");
}
