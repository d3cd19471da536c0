// The world clocks' zones on Linux: the system's IANA database (/usr/share/zoneinfo), read by
// the date library (Debian builds it with USE_OS_TZDB, so it never brings a database of its own).
#include <date/tz.h>

#include <chrono>
#include <exception>

#include "common/utf8_text.h"
#include "settings/time_zones.h"

namespace {

// "localtime" is the system's own zone file under another name, not a zone anyone picks.
constexpr char LocalZoneFile[] = "localtime";

class IanaTimeZone final : public TimeZone {
public:
    // The database lives as long as the process.
    explicit IanaTimeZone(const date::time_zone* zone) : zone_(zone) {}

    LocalDateTime At(TickInstant instant) const override {
        const date::sys_seconds utc{std::chrono::seconds{instant.seconds}};
        const date::local_seconds local = zone_->to_local(utc);
        const date::local_days day = date::floor<date::days>(local);
        const date::year_month_day date{day};
        const date::hh_mm_ss<std::chrono::seconds> time{local - day};
        return {static_cast<int32_t>(date.year()),
                static_cast<int32_t>(static_cast<unsigned>(date.month())),
                static_cast<int32_t>(static_cast<unsigned>(date.day())),
                static_cast<int32_t>(date::weekday{day}.c_encoding()),
                static_cast<int32_t>(time.hours().count()),
                static_cast<int32_t>(time.minutes().count()),
                static_cast<int32_t>(time.seconds().count()),
                static_cast<int32_t>(instant.nanoseconds / 1000000)};
    }

private:
    const date::time_zone* zone_;
};

}  // namespace

// The database is read once, at the first call; a system without one knows no zones.
std::vector<TimeZoneChoice> SystemTimeZones() {
    std::vector<TimeZoneChoice> choices;
    try {
        for (const date::time_zone& zone : date::get_tzdb().zones) {
            if (zone.name() == LocalZoneFile) continue;
            std::u16string name;
            if (Utf16Of(zone.name(), name)) choices.push_back({name, name});
        }
    } catch (const std::exception&) {
        choices.clear();
    }
    return choices;
}

std::unique_ptr<TimeZone> FindTimeZone(const std::u16string& name) {
    const std::string utf8 = Utf8Of(name.c_str());
    if (utf8.empty() || utf8 == LocalZoneFile) return nullptr;
    try {
        return std::make_unique<IanaTimeZone>(date::locate_zone(utf8));
    } catch (const std::exception&) {
        return nullptr;  // unknown to the database, or no database at all
    }
}
