// A local date and time as the clock reads it once per frame. Platform-free: each platform
// turns its own reading (SYSTEMTIME, struct tm) into this.
#pragma once

#include <cstdint>

// dayOfWeek 0 is Sunday; month 1 is January.
struct LocalDateTime {
    int32_t year;
    int32_t month;
    int32_t day;
    int32_t dayOfWeek;
    int32_t hour;
    int32_t minute;
    int32_t second;
};

// The local time now; each platform defines it.
LocalDateTime LocalTimeNow();
