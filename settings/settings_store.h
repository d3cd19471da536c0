// Where the settings live, as a narrow seam: a per-user typed key-value store shaped after the
// registry calls that back it on Windows (open, query, create, set, close), and the rules that
// load and store ClockSettings through it.
#pragma once

#include <cstdint>

#include "settings/clock_settings.h"

// The per-user key that holds the settings.
constexpr const char16_t* SettingsKeyPath = u"Software\\Brevant\\Tarnwick";

// Value types, numbered as the registry numbers them (REG_SZ, REG_EXPAND_SZ, REG_BINARY, REG_DWORD).
enum class StoreValueType : uint32_t { String = 1, ExpandString = 2, Binary = 3, Dword = 4 };

// A store call's result, as the registry reports it: 0 is success, anything else a failure.
using StoreStatus = int32_t;
constexpr StoreStatus StoreSuccess = 0;

// Byte sizes of the stored forms: a 32-bit number, and a text buffer of SettingsTextCapacity units.
constexpr uint32_t StoredDwordBytes = 4;
constexpr uint32_t StoredTextBufferBytes = SettingsTextCapacity * 2;

// One open key at a time. Every call that opens successfully is matched by one CloseKey.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // Opens an existing key for reading and writing; fails when it is missing.
    virtual StoreStatus OpenKey(const char16_t* keyPath) = 0;
    // Opens the key, creating it when missing.
    virtual StoreStatus CreateKey(const char16_t* keyPath) = 0;
    // Reads one value of the open key into data, whose capacity in bytes is *byteCount.
    // Succeeds only when the value exists and fits; then sets *type and *byteCount (the bytes
    // returned, no more). On failure the buffer's contents are undefined.
    virtual StoreStatus QueryValue(const char16_t* name, StoreValueType* type, uint8_t* data,
                                   uint32_t* byteCount) = 0;
    // Writes one value of the open key.
    virtual StoreStatus SetValue(const char16_t* name, StoreValueType type, const uint8_t* data,
                                 uint32_t byteCount) = 0;
    virtual void CloseKey() = 0;
};

// Defaults first, then every stored value of the settings table, in its order, that passes its
// own acceptance test; a value that is missing, of another type, too large or outside its rule
// leaves only its field at the default. Creates nothing.
void LoadSettingsFrom(SettingsStore& store, ClockSettings& settings);

// What a store came to. The product ignores it (a failed store is silent); tests read it.
struct SaveOutcome {
    StoreStatus openStatus = StoreSuccess;
    int failedWrites = 0;
    bool Succeeded() const { return openStatus == StoreSuccess && failedWrites == 0; }
};

// Writes every row of the settings table in its order (numbers first), creating the key when
// missing. Texts are written without their terminating NUL. Nothing is written when the key
// cannot be opened.
SaveOutcome SaveSettingsTo(SettingsStore& store, ClockSettings settings);

// The text a stored text value yields: UTF-16LE code units up to the first NUL among the given
// bytes or their end, a dangling odd byte ignored, cut to what the field holds with its NUL.
void TextFromStoredBytes(const uint8_t* bytes, uint32_t byteCount,
                         char16_t (&text)[SettingsTextCapacity]);
