// The zones as Windows 7 has them, read from the "Time Zones" key itself: what SystemTimeZones
// and FindTimeZone fall back to without EnumDynamicTimeZoneInformation (Windows 8). Declared for
// the tests, which hold the two sources against each other.
#pragma once

#include "settings/time_zones.h"

std::vector<TimeZoneChoice> RegistryTimeZones();
std::unique_ptr<TimeZone> FindRegistryTimeZone(const std::u16string& name);
