#include "settings/settings_store.h"

#include "settings/settings_table.h"

namespace {

// Stored numbers and texts are little-endian whatever the host's byte order.
uint32_t DwordFromBytes(const uint8_t (&bytes)[StoredDwordBytes]) {
    return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
           uint32_t{bytes[3]} << 24;
}

void DwordToBytes(uint32_t value, uint8_t (&bytes)[StoredDwordBytes]) {
    for (uint32_t i = 0; i < StoredDwordBytes; ++i) bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

// Any REG_DWORD that fits the four bytes is read. A shorter one gives its own bytes as the low
// ones and zeros above: nothing past the returned bytes is read.
bool QueryNumber(SettingsStore& store, const char16_t* name, uint32_t& value) {
    uint8_t bytes[StoredDwordBytes] = {};
    StoreValueType type{};
    uint32_t byteCount = sizeof bytes;
    if (store.QueryValue(name, &type, bytes, &byteCount) != StoreSuccess) return false;
    if (type != StoreValueType::Dword || byteCount > StoredDwordBytes) return false;
    for (uint32_t i = byteCount; i < StoredDwordBytes; ++i) bytes[i] = 0;
    value = DwordFromBytes(bytes);
    return true;
}

// A number outside its row's rule keeps the default.
void LoadNumber(SettingsStore& store, const SettingRow& row, ClockSettings& settings) {
    uint32_t value = 0;
    if (QueryNumber(store, row.valueName, value) && TakesStoredNumber(row, value)) {
        SetStoredNumber(row, settings, value);
    }
}

// Only REG_SZ: an expandable text would need expanding, which the readers never do.
void LoadText(SettingsStore& store, const char16_t* name, char16_t (&field)[SettingsTextCapacity]) {
    uint8_t bytes[StoredTextBufferBytes];
    bytes[0] = bytes[1] = 0;
    StoreValueType type{};
    uint32_t byteCount = sizeof bytes;
    if (store.QueryValue(name, &type, bytes, &byteCount) != StoreSuccess) return;
    if (type != StoreValueType::String || byteCount > sizeof bytes) return;
    TextFromStoredBytes(bytes, byteCount, field);
}

StoreStatus SaveNumber(SettingsStore& store, const char16_t* name, uint32_t value) {
    uint8_t bytes[StoredDwordBytes];
    DwordToBytes(value, bytes);
    return store.SetValue(name, StoreValueType::Dword, bytes, sizeof bytes);
}

// The terminating NUL is not written, so an empty text is a value of zero bytes.
StoreStatus SaveText(SettingsStore& store, const char16_t* name,
                     const char16_t (&text)[SettingsTextCapacity]) {
    uint8_t bytes[StoredTextBufferBytes] = {};
    const int length = SettingsTextLength(text);
    const int storedLength = length < SettingsTextCapacity ? length : SettingsTextCapacity - 1;
    for (int i = 0; i < storedLength; ++i) {
        bytes[2 * i] = static_cast<uint8_t>(text[i]);
        bytes[2 * i + 1] = static_cast<uint8_t>(text[i] >> 8);
    }
    return store.SetValue(name, StoreValueType::String, bytes, static_cast<uint32_t>(2 * storedLength));
}

}  // namespace

void TextFromStoredBytes(const uint8_t* bytes, uint32_t byteCount,
                         char16_t (&text)[SettingsTextCapacity]) {
    // A value of exactly 260 units without a NUL leaves no room for one: keep its first 259.
    const uint32_t unitCount = byteCount / 2;
    const uint32_t maxLength = SettingsTextCapacity - 1;
    const uint32_t available = unitCount < maxLength ? unitCount : maxLength;
    uint32_t length = 0;
    for (; length < available; ++length) {
        const char16_t unit = static_cast<char16_t>(bytes[2 * length] | bytes[2 * length + 1] << 8);
        if (unit == u'\0') break;
        text[length] = unit;
    }
    text[length] = u'\0';
}

void LoadSettingsFrom(SettingsStore& store, ClockSettings& settings) {
    SetDefaultSettings(settings);
    if (store.OpenKey(SettingsKeyPath) != StoreSuccess) return;
    for (const SettingRow& row : SettingsTable()) {
        if (row.Kind() == SettingKind::Text) {
            LoadText(store, row.valueName, TextOf(row, settings));
        } else {
            LoadNumber(store, row, settings);
        }
    }
    store.CloseKey();
}

SaveOutcome SaveSettingsTo(SettingsStore& store, ClockSettings settings) {
    SaveOutcome outcome;
    outcome.openStatus = store.CreateKey(SettingsKeyPath);
    if (outcome.openStatus != StoreSuccess) return outcome;
    for (const SettingRow& row : SettingsTable()) {
        const StoreStatus status = row.Kind() == SettingKind::Text
                                       ? SaveText(store, row.valueName, TextOf(row, settings))
                                       : SaveNumber(store, row.valueName, StoredNumberOf(row, settings));
        outcome.failedWrites += status != StoreSuccess;
    }
    store.CloseKey();
    return outcome;
}
