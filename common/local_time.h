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
    int32_t millisecond = 0;  // of the second; a gliding needle follows it
};

// An instant of the real-time clock, from 1970 as the platform counts it.
struct TickInstant {
    int64_t seconds;
    int64_t nanoseconds;
};

// A reading of the clock: the instant that waits are reckoned from and the local time that the
// frame shows, taken together.
struct ClockReading {
    TickInstant instant;
    LocalDateTime local;
};

// The local time now; each platform defines it.
LocalDateTime LocalTimeNow();
// The instant and the local time now, in one reading; each platform defines it.
ClockReading ReadClock();
