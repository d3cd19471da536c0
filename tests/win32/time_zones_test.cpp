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
            EXPECT_EQ(ConversionMismatch(*zone, c), "")
                << Utf8Of(c.windowsName) << (find == FindTimeZone ? "" : " (registry)");
        }
    }
}

// West to east, each zone once, its display name from the key, whichever source lists them.
TEST(TimeZones, ListTheSystemsZonesByOffset) {
    const std::vector<TimeZoneChoice> zones = SystemTimeZones();
    ASSERT_GT(zones.size(), 100u);
    const auto entries = [](const std::vector<TimeZoneChoice>& list) {
        std::vector<std::u16string> lines;
        for (const TimeZoneChoice& z : list) lines.push_back(z.name + u" | " + z.displayName);
        return lines;
    };
    EXPECT_EQ(entries(zones), entries(RegistryTimeZones()));
    const auto at = [&](const char16_t* name) {
        return std::find_if(zones.begin(), zones.end(), [&](const TimeZoneChoice& z) { return z.name == name; });
    };
    ASSERT_NE(at(u"Tokyo Standard Time"), zones.end());
    EXPECT_NE(at(u"Tokyo Standard Time")->displayName.find(u"Tokyo"), std::u16string::npos)
        << Utf8Of(at(u"Tokyo Standard Time")->displayName.c_str());
    EXPECT_LT(at(u"Eastern Standard Time"), at(u"GMT Standard Time"));
    EXPECT_LT(at(u"GMT Standard Time"), at(u"Tokyo Standard Time"));
    EXPECT_NE(FindTimeZone(u"tokyo standard time"), nullptr);
    for (const char16_t* unknown : {u"", u"Asia/Tokyo", u"Mars Standard Time"}) {
        EXPECT_EQ(FindTimeZone(unknown), nullptr) << Utf8Of(unknown);
    }
}
