// A world clock's caption when it has no label of its own.
#include <gtest/gtest.h>

#include "common/utf8_text.h"
#include "settings/time_zones.h"

TEST(TimeZones, CityOfZoneName) {
    const char16_t* const cases[][2] = {
        {u"Tokyo Standard Time", u"Tokyo"}, {u"Eastern Standard Time", u"Eastern"}, {u"Asia/Tokyo", u"Tokyo"},
        {u"America/New_York", u"New York"}, {u"America/Argentina/Buenos_Aires", u"Buenos Aires"}, {u"UTC", u"UTC"},
        {u"Russia Time Zone 3", u"Russia Time Zone 3"}, {u" Standard Time", u" Standard Time"}, {u"", u""},
    };
    for (const auto& c : cases) EXPECT_EQ(Utf8Of(CityOfZone(c[0]).c_str()), Utf8Of(c[1])) << Utf8Of(c[0]);
}
