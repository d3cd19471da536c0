// The system's IANA zones: the conversion table and the list.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/utf8_text.h"
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
