// Drives the registry store for the end-to-end scripts:
//   settings_probe load          LoadSettings, then prints the record, one field a line
//   settings_probe save-defaults SaveSettings of the defaults, then prints whether it succeeded
//   settings_probe key           prints whether the settings key exists
//   settings_probe raw NAME      prints the stored type and byte count of one value, read raw
// Texts are printed as UTF-8.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "settings/registry_store_win32.h"

namespace {

const wchar_t* const KeyPath = L"Software\\Brevant\\Tarnwick";

std::string Utf8(const char16_t (&field)[SettingsTextCapacity]) {
    const wchar_t* text = reinterpret_cast<const wchar_t*>(field);
    const int length = SettingsTextLength(field);
    if (length == 0) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

int PrintLoaded() {
    ClockSettings settings{};
    LoadSettings(settings);
    std::printf("colorOfMarkers=0x%08X\n", static_cast<unsigned>(settings.colorOfMarkers));
    std::printf("showSeconds=%d\n", static_cast<int>(settings.showSeconds));
    std::printf("showLogo=%d\n", static_cast<int>(settings.showLogo));
    std::printf("nameOfFont=%s\n", Utf8(settings.nameOfFont).c_str());
    std::printf("nameOfFontLength=%d\n", SettingsTextLength(settings.nameOfFont));
    std::printf("logoText=%s\n", Utf8(settings.logoText).c_str());
    std::printf("logoTextLength=%d\n", SettingsTextLength(settings.logoText));
    return 0;
}

int SaveDefaults() {
    ClockSettings settings{};
    SetDefaultSettings(settings);
    SaveSettings(settings);
    std::printf("saved=%s\n", LastSaveOutcome().Succeeded() ? "yes" : "no");
    return LastSaveOutcome().Succeeded() ? 0 : 1;
}

int PrintKey() {
    HKEY key;
    const bool exists = RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath, 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (exists) RegCloseKey(key);
    std::printf("key=%s\n", exists ? "present" : "missing");
    return 0;
}

int PrintRaw(const char* name) {
    wchar_t wideName[256];
    if (MultiByteToWideChar(CP_ACP, 0, name, -1, wideName, 256) == 0) return 2;
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        std::printf("raw=missing\n");
        return 0;
    }
    DWORD type = REG_NONE;
    DWORD size = 0;
    const LONG status = RegQueryValueExW(key, wideName, nullptr, &type, nullptr, &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) {
        std::printf("raw=missing\n");
    } else {
        std::printf("type=%lu bytes=%lu\n", static_cast<unsigned long>(type), static_cast<unsigned long>(size));
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "load") return PrintLoaded();
    if (command == "save-defaults") return SaveDefaults();
    if (command == "key") return PrintKey();
    if (command == "raw" && argc > 2) return PrintRaw(argv[2]);
    std::fprintf(stderr, "usage: settings_probe load | save-defaults | key | raw NAME\n");
    return 2;
}
