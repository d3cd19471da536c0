// The clocks one monitor shows: the local clock, then a clock for each stored zone the system
// knows, each with its caption. Platform-free over the time-zone interface: a zone the system does
// not know is left out, and the rest still show.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "common/local_time.h"
#include "settings/clock_settings.h"
#include "settings/time_zones.h"

class WorldClocks {
public:
    explicit WorldClocks(const ClockSettings& settings);

    // How many clocks a clock monitor shows: 1 without world clocks.
    int Count() const { return static_cast<int>(zones_.size()) + 1; }
    // The time clock i shows at a reading: the local time for the first, a zone's for the others,
    // its needle at the same point of the second.
    LocalDateTime TimeOf(int clock, const ClockReading& now) const;
    // Clock i's caption under its dial: none for the local clock; the label or the zone's city,
    // with "+1" or "-1" when the zone's date is not the local one.
    std::u16string CaptionOf(int clock, const LocalDateTime& zoneTime, const LocalDateTime& localTime) const;

private:
    struct Zone {
        std::unique_ptr<TimeZone> zone;
        std::u16string caption;
    };
    std::vector<Zone> zones_;
};

// The caption of a clock of a zone: the caption, then " +1" or " -1" when the zone's date runs a
// day ahead of or behind the local date.
std::u16string CaptionWithDay(const std::u16string& caption, const LocalDateTime& zoneTime,
                              const LocalDateTime& localTime);
