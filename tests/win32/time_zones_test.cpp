// The system's zones under Wine: the conversion table by both sources of zones (the Windows 8
// enumeration and the Windows 7 registry fallback), and the list they give.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/utf8_text.h"
#include "settings/time_zones_win32.h"
#include "tests/time_zone_cases.h"

TEST(TimeZones, ConvertByTheSystemsRules) {
    for (const auto find : {FindTimeZone, FindRegistryTimeZone}) {
        for (const TimeZoneCase& c : TimeZoneCases) {
            const auto zone = find(c.windowsName);
            ASSERT_NE(zone, nullptr) << Utf8Of(c.windowsName);
            EXPECT_EQ(ShownAt(*zone, c), c.local) << Utf8Of(c.windowsName) << " at " << UnixSecondsOf(c.utc)
                                                  << (find == FindTimeZone ? "" : " (registry)");
        }
    }
}

// West to east, each with its display name from the key, whichever source lists them.
TEST(TimeZones, ListTheSystemsZonesByOffset) {
    const auto lines = [](const std::vector<TimeZoneChoice>& zones) {
        std::vector<std::string> lines;
        for (const auto& z : zones) lines.push_back(Utf8Of(z.name.c_str()) + " | " + Utf8Of(z.displayName.c_str()));
        return lines;
    };
    const std::vector<std::string> zones = lines(SystemTimeZones());
    ASSERT_GT(zones.size(), 100u);
    EXPECT_EQ(zones, lines(RegistryTimeZones()));
    const auto at = [&](const char* line) { return std::find(zones.begin(), zones.end(), line) - zones.begin(); };
    const auto eastern = at("Eastern Standard Time | (UTC-05:00) Eastern Time (US & Canada)");
    const auto london = at("GMT Standard Time | (UTC+00:00) Dublin, Edinburgh, Lisbon, London");
    const auto tokyo = at("Tokyo Standard Time | (UTC+09:00) Osaka, Sapporo, Tokyo");
    EXPECT_TRUE(eastern < london && london < tokyo && tokyo < static_cast<ptrdiff_t>(zones.size()))
        << eastern << " " << london << " " << tokyo;
    // Key names ignore case, as the registry does; anything else is unknown.
    EXPECT_TRUE(FindTimeZone(u"tokyo standard time") && !FindTimeZone(u"") && !FindTimeZone(u"Asia/Tokyo"));
}
