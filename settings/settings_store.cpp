#include "settings/settings_store.h"

namespace {

// Stored numbers and texts are little-endian whatever the host's byte order.
uint32_t DwordFromBytes(const uint8_t (&bytes)[StoredDwordBytes]) {
    return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
           uint32_t{bytes[3]} << 24;
}

void DwordToBytes(uint32_t value, uint8_t (&bytes)[StoredDwordBytes]) {
    for (uint32_t i = 0; i < StoredDwordBytes; ++i) bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

// Any REG_DWORD that fits the four bytes is taken. A shorter one gives its own bytes as the low
// ones and zeros above: nothing past the returned bytes is read.
void LoadNumber(SettingsStore& store, const char16_t* name, uint32_t& field) {
    uint8_t bytes[StoredDwordBytes] = {};
    StoreValueType type{};
    uint32_t byteCount = sizeof bytes;
    if (store.QueryValue(name, &type, bytes, &byteCount) != StoreSuccess) return;
    if (type != StoreValueType::Dword || byteCount > StoredDwordBytes) return;
    for (uint32_t i = byteCount; i < StoredDwordBytes; ++i) bytes[i] = 0;
    field = DwordFromBytes(bytes);
}

void LoadNumber(SettingsStore& store, const char16_t* name, int32_t& field) {
    uint32_t value = static_cast<uint32_t>(field);
    LoadNumber(store, name, value);
    field = static_cast<int32_t>(value);
}

// A night boundary outside the day keeps its default.
void LoadMinuteOfDay(SettingsStore& store, const char16_t* name, int32_t& field) {
    int32_t value = field;
    LoadNumber(store, name, value);
    if (IsMinuteOfDay(value)) field = value;
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
    LoadNumber(store, ColorOfMarkersValue, settings.colorOfMarkers);
    LoadNumber(store, ShowSecondsValue, settings.showSeconds);
    LoadNumber(store, ShowLogoValue, settings.showLogo);
    LoadNumber(store, MonitorsValue, settings.monitors);
    LoadNumber(store, FaceValue, settings.face);
    LoadMinuteOfDay(store, NightStartsValue, settings.nightStarts);
    LoadMinuteOfDay(store, NightEndsValue, settings.nightEnds);
    LoadNumber(store, DriftValue, settings.drift);
    LoadText(store, NameOfFontValue, settings.nameOfFont);
    LoadText(store, LogoTextValue, settings.logoText);
    store.CloseKey();
}

SaveOutcome SaveSettingsTo(SettingsStore& store, ClockSettings settings) {
    SaveOutcome outcome;
    outcome.openStatus = store.CreateKey(SettingsKeyPath);
    if (outcome.openStatus != StoreSuccess) return outcome;
    const StoreStatus writes[] = {
        SaveNumber(store, ColorOfMarkersValue, settings.colorOfMarkers),
        SaveNumber(store, ShowSecondsValue, static_cast<uint32_t>(settings.showSeconds)),
        SaveNumber(store, ShowLogoValue, static_cast<uint32_t>(settings.showLogo)),
        SaveNumber(store, MonitorsValue, static_cast<uint32_t>(settings.monitors)),
        SaveNumber(store, FaceValue, static_cast<uint32_t>(settings.face)),
        SaveNumber(store, NightStartsValue, static_cast<uint32_t>(settings.nightStarts)),
        SaveNumber(store, NightEndsValue, static_cast<uint32_t>(settings.nightEnds)),
        SaveNumber(store, DriftValue, static_cast<uint32_t>(settings.drift)),
        SaveText(store, NameOfFontValue, settings.nameOfFont),
        SaveText(store, LogoTextValue, settings.logoText),
    };
    for (StoreStatus status : writes) outcome.failedWrites += status != StoreSuccess;
    store.CloseKey();
    return outcome;
}
