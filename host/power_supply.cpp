#include "host/power_supply.h"

bool RunsOnBattery(const std::vector<PowerSupply>& supplies) {
    bool battery = false;
    for (const PowerSupply& supply : supplies) {
        if (supply.type == "Mains" && supply.online) return false;
        battery = battery || supply.type == "Battery";
    }
    return battery;
}
