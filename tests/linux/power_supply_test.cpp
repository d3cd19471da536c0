#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "host/power_supply.h"

// Folders laid out as /sys/class/power_supply, one supply "name type [online]" a row.
TEST(PowerSupply, OnBatteryWhenABatteryIsThereAndNoMainsIsOnline) {
    const struct {
        std::vector<std::vector<std::string>> supplies;
        bool onBattery;
    } cases[] = {
        {{{"AC", "Mains", "1"}, {"BAT0", "Battery"}}, false},
        {{{"AC", "Mains", "0"}, {"BAT0", "Battery"}}, true},
        {{{"AC", "Mains"}, {"BAT0", "Battery"}}, true},  // no online file: not online
        {{{"BAT0", "Battery"}, {"ADP1", "Mains", "0"}, {"AC", "Mains", "1"}}, false},
        {{{"AC", "Mains", "0"}}, false},  // no battery: mains, as on a desktop
        {{}, false},
    };
    const auto folder = std::filesystem::temp_directory_path() / ("tarnwick-power-" + std::to_string(getpid()));
    for (const auto& c : cases) {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        for (const auto& s : c.supplies) {
            std::filesystem::create_directory(folder / s[0]);
            std::ofstream(folder / s[0] / "type") << s[1] << "\n";
            if (s.size() > 2) std::ofstream(folder / s[0] / "online") << s[2] << "\n";
        }
        EXPECT_EQ(RunsOnBattery(ReadPowerSupplies(folder)), c.onBattery) << c.supplies.size() << " supplies";
        EXPECT_EQ(BatteryWatch(folder).OnBattery({0, 0}), c.onBattery);
    }
    std::filesystem::remove_all(folder);
    EXPECT_FALSE(RunsOnBattery(ReadPowerSupplies(folder)));  // no folder at all
}
