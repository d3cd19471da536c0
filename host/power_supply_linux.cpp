#include <dirent.h>

#include <fstream>

#include "host/power_supply.h"

namespace {

// The first word of a small sysfs file; empty when it cannot be read.
std::string FirstWord(const std::string& path) {
    std::ifstream file(path);
    std::string word;
    file >> word;
    return word;
}

}  // namespace

std::vector<PowerSupply> ReadPowerSupplies(const std::string& folder) {
    std::vector<PowerSupply> supplies;
    DIR* listing = opendir(folder.c_str());
    if (listing == nullptr) return supplies;
    while (const dirent* entry = readdir(listing)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        const std::string type = FirstWord(folder + "/" + name + "/type");
        if (type.empty()) continue;
        supplies.push_back({type, FirstWord(folder + "/" + name + "/online") == "1"});
    }
    closedir(listing);
    return supplies;
}

bool BatteryWatch::OnBattery(TickInstant now) {
    constexpr int64_t ReadEverySeconds = 60;
    // A clock set back reads at once too.
    if (!readAt_ || now.seconds - *readAt_ >= ReadEverySeconds || now.seconds < *readAt_) {
        onBattery_ = RunsOnBattery(ReadPowerSupplies(folder_));
        readAt_ = now.seconds;
    }
    return onBattery_;
}
