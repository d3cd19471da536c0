// The world clocks' zones on Windows: the system's "Time Zones" key, whose key names the settings
// store, converted by the rules the system has for each year.
#include "settings/time_zones_win32.h"

#include <windows.h>

#include <algorithm>
#include <type_traits>

#include "common/utf16_win32.h"

namespace {

constexpr wchar_t ZonesKeyPath[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones";
// TickInstant counts from 1970, FILETIME in 100 ns units from 1601.
constexpr int64_t SecondsFrom1601To1970 = 11644473600;
constexpr int64_t FileTimeUnitsPerSecond = 10000000;
constexpr int64_t NanosecondsPerFileTimeUnit = 100;
constexpr int64_t NanosecondsPerMillisecond = 1000000;

using Zone = DYNAMIC_TIME_ZONE_INFORMATION;

struct KeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using KeyHolder = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

KeyHolder OpenKey(HKEY parent, const wchar_t* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(parent, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return nullptr;
    return KeyHolder(key);
}

// EnumDynamicTimeZoneInformation came with Windows 8 (advapi32): looked up at run time, so that
// the saver still runs on Windows 7, where the registry key is read instead.
using EnumZonesCall = DWORD(WINAPI*)(DWORD index, PDYNAMIC_TIME_ZONE_INFORMATION zone);

EnumZonesCall EnumZones() {
    static const auto call = reinterpret_cast<EnumZonesCall>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("advapi32.dll"), "EnumDynamicTimeZoneInformation")));
    return call;
}

std::vector<Zone> EnumeratedZones() {
    std::vector<Zone> zones;
    const EnumZonesCall enumerate = EnumZones();
    if (enumerate == nullptr) return zones;
    for (DWORD index = 0;; ++index) {
        Zone zone{};
        const DWORD status = enumerate(index, &zone);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status == ERROR_SUCCESS) zones.push_back(zone);
    }
    return zones;
}

// A text value of a zone's key ("Display", "Std", "Dlt"); empty when it has none.
std::wstring ZoneText(HKEY zoneKey, const wchar_t* name) {
    wchar_t text[MAX_PATH] = {};
    DWORD size = sizeof text;
    if (RegGetValueW(zoneKey, nullptr, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) return L"";
    return text;
}

template <size_t Capacity>
void CopyName(wchar_t (&field)[Capacity], const std::wstring& text) {
    const size_t length = std::min(text.size(), Capacity - 1);
    std::copy_n(text.c_str(), length, field);
    field[length] = L'\0';
}

// The layout of a zone's "TZI" value (REG_TZI_FORMAT): its standing rules.
struct StoredRules {
    LONG bias;
    LONG standardBias;
    LONG daylightBias;
    SYSTEMTIME standardDate;
    SYSTEMTIME daylightDate;
};

// One subkey of the "Time Zones" key as the record EnumDynamicTimeZoneInformation would give.
bool RegistryZone(HKEY zonesKey, const wchar_t* keyName, Zone& zone) {
    const KeyHolder zoneKey = OpenKey(zonesKey, keyName);
    StoredRules rules{};
    DWORD size = sizeof rules;
    if (!zoneKey || RegGetValueW(zoneKey.get(), nullptr, L"TZI", RRF_RT_REG_BINARY, nullptr, &rules, &size) !=
                        ERROR_SUCCESS || size != sizeof rules) {
        return false;
    }
    zone = {};
    zone.Bias = rules.bias;
    zone.StandardBias = rules.standardBias;
    zone.DaylightBias = rules.daylightBias;
    zone.StandardDate = rules.standardDate;
    zone.DaylightDate = rules.daylightDate;
    CopyName(zone.StandardName, ZoneText(zoneKey.get(), L"Std"));
    CopyName(zone.DaylightName, ZoneText(zoneKey.get(), L"Dlt"));
    CopyName(zone.TimeZoneKeyName, keyName);
    return true;
}

std::vector<Zone> RegistryZones() {
    std::vector<Zone> zones;
    const KeyHolder zonesKey = OpenKey(HKEY_LOCAL_MACHINE, ZonesKeyPath);
    if (!zonesKey) return zones;
    for (DWORD index = 0;; ++index) {
        wchar_t keyName[sizeof Zone{}.TimeZoneKeyName / sizeof(wchar_t)];
        DWORD length = sizeof keyName / sizeof keyName[0];
        const LONG status = RegEnumKeyExW(zonesKey.get(), index, keyName, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) break;
        Zone zone;
        if (status == ERROR_SUCCESS && RegistryZone(zonesKey.get(), keyName, zone)) zones.push_back(zone);
    }
    return zones;
}

std::vector<Zone> SystemZones() {
    std::vector<Zone> zones = EnumeratedZones();
    return zones.empty() ? RegistryZones() : zones;
}

// As the Windows control panel lists them: west to east, then by display name.
std::vector<TimeZoneChoice> ChoicesOf(const std::vector<Zone>& zones) {
    struct Listed {
        LONG bias;
        TimeZoneChoice choice;
    };
    std::vector<Listed> listed;
    const KeyHolder zonesKey = OpenKey(HKEY_LOCAL_MACHINE, ZonesKeyPath);
    for (const Zone& zone : zones) {
        const std::u16string name = reinterpret_cast<const char16_t*>(zone.TimeZoneKeyName);
        const KeyHolder zoneKey = zonesKey ? OpenKey(zonesKey.get(), zone.TimeZoneKeyName) : nullptr;
        const std::wstring display = zoneKey ? ZoneText(zoneKey.get(), L"Display") : L"";
        listed.push_back({zone.Bias, {name, display.empty() ? name : reinterpret_cast<const char16_t*>(display.c_str())}});
    }
    // The bias is UTC minus local time: the westernmost zone has the largest.
    std::stable_sort(listed.begin(), listed.end(), [](const Listed& a, const Listed& b) {
        return a.bias != b.bias ? a.bias > b.bias : a.choice.displayName < b.choice.displayName;
    });
    std::vector<TimeZoneChoice> choices;
    for (Listed& entry : listed) choices.push_back(std::move(entry.choice));
    return choices;
}

SYSTEMTIME SystemTimeOf(int64_t fileTimeUnits) {
    const auto units = static_cast<uint64_t>(fileTimeUnits);
    const FILETIME fileTime{static_cast<DWORD>(units), static_cast<DWORD>(units >> 32)};
    SYSTEMTIME time{};
    FileTimeToSystemTime(&fileTime, &time);
    return time;
}

class WindowsTimeZone final : public TimeZone {
public:
    explicit WindowsTimeZone(const Zone& zone) : zone_(zone) {}

    LocalDateTime At(TickInstant instant) const override {
        const int64_t units = (instant.seconds + SecondsFrom1601To1970) * FileTimeUnitsPerSecond +
                              instant.nanoseconds / NanosecondsPerFileTimeUnit;
        const SYSTEMTIME utc = SystemTimeOf(units);
        SYSTEMTIME local = LocalTime(utc, RulesOf(utc.wYear));
        // Around New Year the zone's own year is not the UTC one, and its rules are that year's.
        if (local.wYear != utc.wYear) local = LocalTime(utc, RulesOf(local.wYear));
        return {local.wYear, local.wMonth, local.wDay, local.wDayOfWeek, local.wHour, local.wMinute, local.wSecond,
                static_cast<int32_t>(instant.nanoseconds / NanosecondsPerMillisecond)};
    }

private:
    // Given one year's rules, the conversion needs no registry (as SystemTimeToTzSpecificLocalTimeEx
    // over the dynamic record would, on every tick) and uses the zone's year, not the UTC one.
    static SYSTEMTIME LocalTime(const SYSTEMTIME& utc, const TIME_ZONE_INFORMATION& rules) {
        SYSTEMTIME local{};
        if (SystemTimeToTzSpecificLocalTime(&rules, &utc, &local)) return local;
        FILETIME fileTime{};
        SystemTimeToFileTime(&utc, &fileTime);
        const int64_t units = static_cast<int64_t>((static_cast<uint64_t>(fileTime.dwHighDateTime) << 32) |
                                                   fileTime.dwLowDateTime);
        return SystemTimeOf(units - int64_t{rules.Bias} * 60 * FileTimeUnitsPerSecond);  // rules it cannot read: standard time
    }

    // The zone's rules of that year as the system has them (a dynamic zone's change from year to
    // year); asked once a year.
    const TIME_ZONE_INFORMATION& RulesOf(WORD year) const {
        if (year == rulesYear_) return rules_;
        Zone zone = zone_;
        if (!GetTimeZoneInformationForYear(year, &zone, &rules_)) {
            rules_ = {zone_.Bias, {}, zone_.StandardDate, zone_.StandardBias, {}, zone_.DaylightDate, zone_.DaylightBias};
        }
        rulesYear_ = year;
        return rules_;
    }

    Zone zone_;
    // One clock's cache, touched only by the thread that draws it.
    mutable WORD rulesYear_ = 0;
    mutable TIME_ZONE_INFORMATION rules_{};
};

std::unique_ptr<TimeZone> ZoneNamed(const std::vector<Zone>& zones, const std::u16string& name) {
    if (name.empty()) return nullptr;
    for (const Zone& zone : zones) {
        // Key names, like every registry name, ignore case.
        if (CompareStringOrdinal(zone.TimeZoneKeyName, -1, Wide(name.c_str()), -1, TRUE) == CSTR_EQUAL) {
            return std::make_unique<WindowsTimeZone>(zone);
        }
    }
    return nullptr;
}

}  // namespace

std::vector<TimeZoneChoice> SystemTimeZones() { return ChoicesOf(SystemZones()); }

std::unique_ptr<TimeZone> FindTimeZone(const std::u16string& name) { return ZoneNamed(SystemZones(), name); }

std::vector<TimeZoneChoice> RegistryTimeZones() { return ChoicesOf(RegistryZones()); }

std::unique_ptr<TimeZone> FindRegistryTimeZone(const std::u16string& name) { return ZoneNamed(RegistryZones(), name); }
