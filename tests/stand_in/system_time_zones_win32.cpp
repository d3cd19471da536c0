// Stand-in for SystemTimeZones() on Windows while the time-zone module's Windows part is not in
// the tree (cmake/windows.cmake links it only then): the zones of the system's "Time Zones" key
// by key name and display name, in key order, so that the world clocks dialog can be built and
// driven. Nothing else of settings/time_zones.h is here.
#include <windows.h>

#include "settings/time_zones.h"

namespace {
constexpr const wchar_t* TimeZonesKey = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones";
constexpr DWORD NameCapacity = 256;
}  // namespace

std::vector<TimeZoneChoice> SystemTimeZones() {
    std::vector<TimeZoneChoice> zones;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, TimeZonesKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return zones;
    for (DWORD index = 0;; ++index) {
        wchar_t name[NameCapacity];
        DWORD nameLength = NameCapacity;
        if (RegEnumKeyExW(key, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        wchar_t display[NameCapacity] = {};
        DWORD bytes = sizeof display - sizeof(wchar_t);
        if (RegGetValueW(key, name, L"Display", RRF_RT_REG_SZ, nullptr, display, &bytes) != ERROR_SUCCESS) continue;
        zones.push_back({reinterpret_cast<const char16_t*>(name), reinterpret_cast<const char16_t*>(display)});
    }
    RegCloseKey(key);
    return zones;
}
