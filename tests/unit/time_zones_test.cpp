// A world clock's caption when it has no label of its own.
#include <gtest/gtest.h>

#include "common/utf8_text.h"
#include "settings/time_zones.h"

TEST(TimeZones, CityOfZoneName) {
    const struct {
        const char16_t* name;
        const char16_t* city;
    } cases[] = {
        {u"Tokyo Standard Time", u"Tokyo"},
        {u"Eastern Standard Time", u"Eastern"},
        {u"Asia/Tokyo", u"Tokyo"},
        {u"America/New_York", u"New York"},
        {u"America/Argentina/Buenos_Aires", u"Buenos Aires"},
        {u"UTC", u"UTC"},
        {u"Russia Time Zone 3", u"Russia Time Zone 3"},
        {u" Standard Time", u" Standard Time"},
        {u"", u""},
    };
    for (const auto& c : cases) EXPECT_EQ(CityOfZone(c.name), c.city) << Utf8Of(c.name);
}
