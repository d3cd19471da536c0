// The system's IANA zones: the conversion table, the list, and --zone asking the database.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/utf8_text.h"
#include "settings/clock_options.h"
#include "settings/time_zones.h"
#include "tests/time_zone_cases.h"

TEST(TimeZones, ConvertByTheSystemsRules) {
    for (const TimeZoneCase& c : TimeZoneCases) {
        const std::string name = Utf8Of(c.ianaName);
        const auto zone = FindTimeZone(c.ianaName);
        ASSERT_NE(zone, nullptr) << name;
        const LocalDateTime t = zone->At({UnixSecondsOf(c.utc), 250000000});
        const LocalDateTime& e = c.local;
        EXPECT_EQ((std::vector<int32_t>{t.year, t.month, t.day, t.dayOfWeek, t.hour, t.minute, t.second, t.millisecond}),
                  (std::vector<int32_t>{e.year, e.month, e.day, e.dayOfWeek, e.hour, e.minute, e.second, 250}))
            << name << " at " << c.utc[1] << "-" << c.utc[2] << " " << c.utc[3] << ":" << c.utc[4] << " UTC";
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
