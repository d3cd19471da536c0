// The conversions both platforms' zones are held to: each side of the 2026 daylight-saving changes
// (London at 01:00 UTC on 29 March and 25 October, New York at 07:00 UTC on 8 March and 06:00 UTC
// on 1 November), across midnight (Tokyo; New York a day behind at 02:00 UTC) and New Year (Tokyo;
// Sydney on summer time). The Linux and the Win32 tests each hold their platform's zones to them.
#pragma once

#include <algorithm>
#include <cstdio>
#include <string>

#include "settings/time_zones.h"

struct TimeZoneCase {
    const char16_t* windowsName;
    const char16_t* ianaName;
    int32_t utc[6];     // year, month, day, hour, minute, second
    const char* local;  // as ShownAt writes it
};

constexpr TimeZoneCase TimeZoneCases[] = {
    {u"GMT Standard Time", u"Europe/London", {2026, 3, 29, 0, 59, 59}, "2026-03-29 Sun 00:59:59.250"},
    {u"GMT Standard Time", u"Europe/London", {2026, 3, 29, 1, 0, 0}, "2026-03-29 Sun 02:00:00.250"},
    {u"GMT Standard Time", u"Europe/London", {2026, 10, 25, 0, 59, 59}, "2026-10-25 Sun 01:59:59.250"},
    {u"GMT Standard Time", u"Europe/London", {2026, 10, 25, 1, 0, 0}, "2026-10-25 Sun 01:00:00.250"},
    {u"Eastern Standard Time", u"America/New_York", {2026, 3, 8, 6, 59, 59}, "2026-03-08 Sun 01:59:59.250"},
    {u"Eastern Standard Time", u"America/New_York", {2026, 3, 8, 7, 0, 0}, "2026-03-08 Sun 03:00:00.250"},
    {u"Eastern Standard Time", u"America/New_York", {2026, 11, 1, 5, 59, 59}, "2026-11-01 Sun 01:59:59.250"},
    {u"Eastern Standard Time", u"America/New_York", {2026, 11, 1, 6, 0, 0}, "2026-11-01 Sun 01:00:00.250"},
    {u"Eastern Standard Time", u"America/New_York", {2026, 3, 15, 2, 0, 0}, "2026-03-14 Sat 22:00:00.250"},
    {u"Tokyo Standard Time", u"Asia/Tokyo", {2026, 3, 14, 14, 59, 59}, "2026-03-14 Sat 23:59:59.250"},
    {u"Tokyo Standard Time", u"Asia/Tokyo", {2026, 3, 14, 15, 0, 0}, "2026-03-15 Sun 00:00:00.250"},
    {u"Tokyo Standard Time", u"Asia/Tokyo", {2026, 12, 31, 15, 0, 0}, "2027-01-01 Fri 00:00:00.250"},
    {u"AUS Eastern Standard Time", u"Australia/Sydney", {2026, 12, 31, 13, 30, 0}, "2027-01-01 Fri 00:30:00.250"},
};

// Seconds from 1970 of a case's UTC time (days from the civil date, proleptic Gregorian).
inline int64_t UnixSecondsOf(const int32_t (&utc)[6]) {
    const int64_t year = utc[0] - (utc[1] <= 2 ? 1 : 0), era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400, dayOfYear = (153 * (utc[1] + (utc[1] > 2 ? -3 : 9)) + 2) / 5 + utc[2] - 1;
    const int64_t days = era * 146097 + yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear - 719468;
    return ((days * 24 + utc[3]) * 60 + utc[4]) * 60 + utc[5];
}

// What the zone shows a quarter second after the case's instant, written as the table writes it.
inline std::string ShownAt(const TimeZone& zone, const TimeZoneCase& c) {
    const LocalDateTime t = zone.At({UnixSecondsOf(c.utc), 250000000});
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %.3s %02d:%02d:%02d.%03d", t.year, t.month, t.day,
                  &"SunMonTueWedThuFriSat???"[3 * std::min(static_cast<uint32_t>(t.dayOfWeek), 7u)], t.hour,
                  t.minute, t.second, t.millisecond);
    return text;
}
