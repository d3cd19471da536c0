// The conversions both platforms' zones are held to, by the same instants: each side of a
// daylight-saving change in spring and autumn, and across midnight and New Year. The Windows and
// the IANA name of each zone; the Linux and the Win32 tests each check their own platform.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "common/local_time.h"
#include "settings/time_zones.h"

struct TimeZoneCase {
    const char16_t* windowsName;
    const char16_t* ianaName;
    int32_t utc[6];  // year, month, day, hour, minute, second
    LocalDateTime local;
};

// Seconds from 1970 of a UTC date and time (days from the civil date, as the proleptic
// Gregorian calendar counts them).
inline int64_t UnixSecondsOf(const int32_t (&utc)[6]) {
    const int64_t year = utc[0] - (utc[1] <= 2 ? 1 : 0);
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (utc[1] + (utc[1] > 2 ? -3 : 9)) + 2) / 5 + utc[2] - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    const int64_t days = era * 146097 + dayOfEra - 719468;
    return days * 86400 + utc[3] * 3600 + utc[4] * 60 + utc[5];
}

// 2026: London changes at 01:00 UTC on 29 March and 25 October, New York at 07:00 UTC on
// 8 March and 06:00 UTC on 1 November; Tokyo keeps +9; Sydney is on summer time at New Year.
constexpr TimeZoneCase TimeZoneCases[] = {
    {u"GMT Standard Time", u"Europe/London", {2026, 3, 29, 0, 59, 59}, {2026, 3, 29, 0, 0, 59, 59}},
    {u"GMT Standard Time", u"Europe/London", {2026, 3, 29, 1, 0, 0}, {2026, 3, 29, 0, 2, 0, 0}},
    {u"GMT Standard Time", u"Europe/London", {2026, 10, 25, 0, 59, 59}, {2026, 10, 25, 0, 1, 59, 59}},
    {u"GMT Standard Time", u"Europe/London", {2026, 10, 25, 1, 0, 0}, {2026, 10, 25, 0, 1, 0, 0}},
    {u"Eastern Standard Time", u"America/New_York", {2026, 3, 8, 6, 59, 59}, {2026, 3, 8, 0, 1, 59, 59}},
    {u"Eastern Standard Time", u"America/New_York", {2026, 3, 8, 7, 0, 0}, {2026, 3, 8, 0, 3, 0, 0}},
    {u"Eastern Standard Time", u"America/New_York", {2026, 11, 1, 5, 59, 59}, {2026, 11, 1, 0, 1, 59, 59}},
    {u"Eastern Standard Time", u"America/New_York", {2026, 11, 1, 6, 0, 0}, {2026, 11, 1, 0, 1, 0, 0}},
    // The day before, as a New York clock shows at 02:00 UTC.
    {u"Eastern Standard Time", u"America/New_York", {2026, 3, 15, 2, 0, 0}, {2026, 3, 14, 6, 22, 0, 0}},
    {u"Tokyo Standard Time", u"Asia/Tokyo", {2026, 3, 14, 14, 59, 59}, {2026, 3, 14, 6, 23, 59, 59}},
    {u"Tokyo Standard Time", u"Asia/Tokyo", {2026, 3, 14, 15, 0, 0}, {2026, 3, 15, 0, 0, 0, 0}},
    {u"Tokyo Standard Time", u"Asia/Tokyo", {2026, 12, 31, 15, 0, 0}, {2027, 1, 1, 5, 0, 0, 0}},
    {u"AUS Eastern Standard Time", u"Australia/Sydney", {2026, 12, 31, 13, 30, 0}, {2027, 1, 1, 5, 0, 30, 0}},
};

inline std::string DateTimeText(const LocalDateTime& t) {
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d (day %d) %02d:%02d:%02d.%03d", t.year, t.month, t.day, t.dayOfWeek,
                  t.hour, t.minute, t.second, t.millisecond);
    return text;
}

// Empty when the zone shows the case's local time a quarter second after its instant; otherwise
// what it showed.
inline std::string ConversionMismatch(const TimeZone& zone, const TimeZoneCase& c) {
    LocalDateTime expected = c.local;
    expected.millisecond = 250;
    const std::string shown = DateTimeText(zone.At({UnixSecondsOf(c.utc), 250000000}));
    if (shown == DateTimeText(expected)) return "";
    const LocalDateTime utc{c.utc[0], c.utc[1], c.utc[2], 0, c.utc[3], c.utc[4], c.utc[5]};
    return "at " + DateTimeText(utc) + " UTC: " + shown + ", not " + DateTimeText(expected);
}
