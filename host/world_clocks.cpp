#include "host/world_clocks.h"

namespace {

std::u16string TextOf(const char16_t (&field)[SettingsTextCapacity]) {
    return std::u16string(field, static_cast<size_t>(SettingsTextLength(field)));
}

int64_t DateNumber(const LocalDateTime& time) { return (int64_t{time.year} * 13 + time.month) * 32 + time.day; }

}  // namespace

WorldClocks::WorldClocks(const ClockSettings& settings) {
    for (int i = 0; i < WorldClockCount; ++i) {
        const std::u16string name = TextOf(settings.worldZone[i]);
        if (name.empty()) continue;
        std::unique_ptr<TimeZone> zone = FindTimeZone(name);
        if (zone == nullptr) continue;
        const std::u16string label = TextOf(settings.worldLabel[i]);
        zones_.push_back({std::move(zone), label.empty() ? CityOfZone(name) : label});
    }
}

LocalDateTime WorldClocks::TimeOf(int clock, const ClockReading& now) const {
    if (clock <= 0 || clock >= Count()) return now.local;
    LocalDateTime time = zones_[clock - 1].zone->At(now.instant);
    // A stepping needle's reading has no milliseconds: every clock shows the same second.
    time.millisecond = now.local.millisecond;
    return time;
}

std::u16string WorldClocks::CaptionOf(int clock, const LocalDateTime& zoneTime, const LocalDateTime& localTime) const {
    if (clock <= 0 || clock >= Count()) return u"";
    return CaptionWithDay(zones_[clock - 1].caption, zoneTime, localTime);
}

std::u16string CaptionWithDay(const std::u16string& caption, const LocalDateTime& zoneTime,
                              const LocalDateTime& localTime) {
    const int64_t zone = DateNumber(zoneTime), local = DateNumber(localTime);
    if (zone > local) return caption + u" +1";
    if (zone < local) return caption + u" -1";
    return caption;
}
