// The system's IANA zones: the conversion table, the list, and --zone asking the database.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/utf8_text.h"
#include "settings/clock_options.h"
#include "settings/time_zones.h"
#include "tests/time_zone_cases.h"

TEST(TimeZones, ConvertByTheSystemsRules) {
    for (const TimeZoneCase& c : TimeZoneCases) {
        const auto zone = FindTimeZone(c.ianaName);
        ASSERT_NE(zone, nullptr) << Utf8Of(c.ianaName);
        EXPECT_EQ(ConversionMismatch(*zone, c), "") << Utf8Of(c.ianaName);
    }
}

TEST(TimeZones, ListTheDatabaseAndRefuseTheUnknown) {
    const std::vector<TimeZoneChoice> zones = SystemTimeZones();
    const auto listed = [&](const char16_t* name) {
        return std::any_of(zones.begin(), zones.end(), [&](const TimeZoneChoice& z) { return z.name == name; });
    };
    EXPECT_TRUE(listed(u"Asia/Tokyo") && listed(u"America/Argentina/Buenos_Aires"));
    EXPECT_FALSE(listed(u"localtime"));
    for (const char16_t* unknown : {u"", u"Mars/Olympus", u"localtime", u"../zoneinfo/Asia/Tokyo", u"Tokyo Standard Time"}) {
        EXPECT_EQ(FindTimeZone(unknown), nullptr) << Utf8Of(unknown);
    }
    ClockOptions options;
    std::string complaint;
    EXPECT_EQ(ParseClockOptions({"--zone", "Asia/Tokyo", "--zone", "Asia/Tokio"}, option_group::Settings, "tarnwick",
                                options, complaint, IsKnownTimeZone),
              ExitBadUsage);
    EXPECT_EQ(complaint, "tarnwick: bad value 'Asia/Tokio' for --zone: expected a time zone the system knows\n");
}
