// Whether the machine runs on its battery, so that a gliding needle steps instead. The rule is
// platform-free; Linux reads the supplies from /sys/class/power_supply (power_supply_linux.cpp),
// Windows asks the system (the saver window).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/local_time.h"

struct PowerSupply {
    std::string type;  // "Mains", "Battery", "USB"…
    bool online;
};

// On battery when a battery is there and no mains supply is online. A machine without a battery
// (most desktops list no supply at all) runs on mains.
bool RunsOnBattery(const std::vector<PowerSupply>& supplies);

// The supplies listed in a folder laid out as /sys/class/power_supply: one folder each, with a
// "type" file and, for supplies that can be plugged, an "online" file. Linux only, as is the watch.
std::vector<PowerSupply> ReadPowerSupplies(const std::string& folder);

// The battery rule read from a folder at most once a minute: the supplies change seldom, and a
// gliding needle must not pay for reading them thirty times a second.
class BatteryWatch {
public:
    explicit BatteryWatch(std::string folder = "/sys/class/power_supply") : folder_(std::move(folder)) {}
    bool OnBattery(TickInstant now);

private:
    std::string folder_;
    std::optional<int64_t> readAt_;  // seconds of the last reading
    bool onBattery_ = false;
};
