// The system's time zones, as the world clocks use them: the zones there are to choose from, and
// the local date and time of a zone at an instant. Platform-free interface: Windows answers from
// its "Time Zones" key (names are the key names, e.g. "Tokyo Standard Time"), Linux from the IANA
// database of the system (names such as "Asia/Tokyo"). Never a table of our own.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "common/local_time.h"

struct TimeZoneChoice {
    std::u16string name;         // what the settings store
    std::u16string displayName;  // what a list shows, e.g. "(UTC+09:00) Osaka, Sapporo, Tokyo"
};

// Every zone the system knows, in the order its own lists show them.
std::vector<TimeZoneChoice> SystemTimeZones();

// One zone, looked up once so that each tick converts cheaply.
class TimeZone {
public:
    virtual ~TimeZone() = default;
    // The zone's local date and time at the instant (milliseconds kept), daylight saving by the
    // system's rules.
    virtual LocalDateTime At(TickInstant instant) const = 0;
};

// The zone of that name; null when the system does not know it.
std::unique_ptr<TimeZone> FindTimeZone(const std::u16string& name);

// Whether the system knows a zone of that name: what the --zone option asks.
inline bool IsKnownTimeZone(const std::u16string& name) { return FindTimeZone(name) != nullptr; }

// The caption a world clock shows without a label of its own: the city of the zone's name
// ("Tokyo" for "Tokyo Standard Time" or "Asia/Tokyo", "New York" for "America/New_York").
std::u16string CityOfZone(const std::u16string& name);
