#include "settings/registry_store_win32.h"

#include <windows.h>

#include <vector>

#include "common/utf16_win32.h"

namespace {

static_assert(static_cast<DWORD>(StoreValueType::String) == REG_SZ);
static_assert(static_cast<DWORD>(StoreValueType::ExpandString) == REG_EXPAND_SZ);
static_assert(static_cast<DWORD>(StoreValueType::Binary) == REG_BINARY);
static_assert(static_cast<DWORD>(StoreValueType::Dword) == REG_DWORD);

// HKEY_CURRENT_USER behind the store seam. All access is asked for even when only reading.
class RegistrySettingsStore final : public SettingsStore {
public:
    StoreStatus OpenKey(const char16_t* keyPath) override {
        return Opened(RegOpenKeyExW(HKEY_CURRENT_USER, Wide(keyPath), 0, KEY_ALL_ACCESS, &key_));
    }

    StoreStatus CreateKey(const char16_t* keyPath) override {
        return Opened(RegCreateKeyExW(HKEY_CURRENT_USER, Wide(keyPath), 0, nullptr,
                                      REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key_,
                                      nullptr));
    }

    // A value larger than the buffer fails (ERROR_MORE_DATA): nothing partial is ever taken.
    StoreStatus QueryValue(const char16_t* name, StoreValueType* type, uint8_t* data,
                           uint32_t* byteCount) override {
        DWORD valueType = REG_NONE;
        DWORD size = *byteCount;
        const LONG status = RegQueryValueExW(key_, Wide(name), nullptr, &valueType, data, &size);
        *type = static_cast<StoreValueType>(valueType);
        *byteCount = size;
        return status;
    }

    // RegSetValueExW adds a NUL to a text whose last counted unit is not NUL when the unit just
    // past the count is NUL (Windows does so too, reading beyond the count). A non-NUL unit there
    // keeps every text stored exactly as counted.
    StoreStatus SetValue(const char16_t* name, StoreValueType type, const uint8_t* data,
                         uint32_t byteCount) override {
        std::vector<uint8_t> guarded(data, data + byteCount);
        guarded.insert(guarded.end(), {0xFF, 0xFF});
        return RegSetValueExW(key_, Wide(name), 0, static_cast<DWORD>(type), guarded.data(), byteCount);
    }

    void CloseKey() override {
        RegCloseKey(key_);
        key_ = nullptr;
    }

private:
    StoreStatus Opened(LONG status) {
        if (status != ERROR_SUCCESS) key_ = nullptr;
        return status;
    }

    HKEY key_ = nullptr;
};

SaveOutcome lastSaveOutcome;

}  // namespace

void LoadSettings(ClockSettings& settings) {
    RegistrySettingsStore store;
    LoadSettingsFrom(store, settings);
}

void SaveSettings(ClockSettings settings) {
    RegistrySettingsStore store;
    lastSaveOutcome = SaveSettingsTo(store, settings);
}

SaveOutcome LastSaveOutcome() { return lastSaveOutcome; }
