#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "settings/registry_store_win32.h"
#include "settings/settings_table.h"

// The settings store against the real (Wine) registry. Every test starts without the settings
// key and puts back afterwards whatever the key and its parent held before.
namespace {

using Bytes = std::vector<BYTE>;
const wchar_t* const KeyPath = L"Software\\Brevant\\Tarnwick";
const wchar_t* const ParentPath = L"Software\\Brevant";

struct RawValue {
    DWORD type;
    Bytes bytes;
};

bool KeyExists(const wchar_t* path) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// The value's bytes exactly as stored (RegGetValueW would add a NUL to texts).
std::optional<RawValue> ReadRaw(const wchar_t* name) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
    DWORD type = REG_NONE;
    DWORD size = 0;
    LONG status = RegQueryValueExW(key, name, nullptr, &type, nullptr, &size);
    Bytes bytes(size);
    if (status == ERROR_SUCCESS && size > 0) {
        status = RegQueryValueExW(key, name, nullptr, &type, bytes.data(), &size);
    }
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return std::nullopt;
    bytes.resize(size);
    return RawValue{type, bytes};
}

// Writes exactly the given bytes. RegSetValueExW appends a NUL to a text when the unit just past
// the count is NUL, so a non-NUL unit is put there; the stored size is then checked.
void WriteRaw(const wchar_t* name, DWORD type, const Bytes& bytes) {
    Bytes guarded = bytes;
    guarded.insert(guarded.end(), {0xFF, 0xFF});
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, KeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, name, 0, type, guarded.data(), static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
    const std::optional<RawValue> stored = ReadRaw(name);
    ASSERT_TRUE(stored.has_value());
    ASSERT_EQ(stored->bytes, bytes) << "the registry did not store the value as given";
}

Bytes TextBytes(const std::wstring& text, bool withNul) {
    const BYTE* first = reinterpret_cast<const BYTE*>(text.c_str());
    return Bytes(first, first + 2 * (text.size() + (withNul ? 1 : 0)));
}

void WriteText(const wchar_t* name, const std::wstring& text, bool withNul, DWORD type = REG_SZ) {
    WriteRaw(name, type, TextBytes(text, withNul));
}

void WriteDword(const wchar_t* name, DWORD value) {
    WriteRaw(name, REG_DWORD, Bytes{BYTE(value), BYTE(value >> 8), BYTE(value >> 16), BYTE(value >> 24)});
}

std::wstring Text(const char16_t (&field)[SettingsTextCapacity]) {
    return std::wstring(reinterpret_cast<const wchar_t*>(field), SettingsTextLength(field));
}

ClockSettings Loaded() {
    ClockSettings settings{};
    LoadSettings(settings);
    return settings;
}

class RegistryStore : public ::testing::Test {
protected:
    void SetUp() override {
        parentExisted_ = KeyExists(ParentPath);
        keyExisted_ = KeyExists(KeyPath);
        if (keyExisted_) saved_ = Snapshot();
        RegDeleteTreeW(HKEY_CURRENT_USER, KeyPath);
        ASSERT_FALSE(KeyExists(KeyPath));
    }

    void TearDown() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, KeyPath);
        if (keyExisted_) {
            for (const auto& [name, value] : saved_) WriteRaw(name.c_str(), value.type, value.bytes);
        } else if (!parentExisted_) {
            RegDeleteKeyW(HKEY_CURRENT_USER, ParentPath);
        }
    }

private:
    static std::vector<std::pair<std::wstring, RawValue>> Snapshot() {
        std::vector<std::pair<std::wstring, RawValue>> values;
        HKEY key;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
        for (DWORD index = 0;; ++index) {
            wchar_t name[16384];
            DWORD nameLength = 16384;
            DWORD type = REG_NONE;
            BYTE data[4096];
            DWORD size = sizeof data;
            if (RegEnumValueW(key, index, name, &nameLength, nullptr, &type, data, &size) != ERROR_SUCCESS) break;
            values.push_back({std::wstring(name, nameLength), RawValue{type, Bytes(data, data + size)}});
        }
        RegCloseKey(key);
        return values;
    }

    bool parentExisted_ = false;
    bool keyExisted_ = false;
    std::vector<std::pair<std::wstring, RawValue>> saved_;
};

void ExpectDefaults(const ClockSettings& settings) {
    EXPECT_EQ(settings.colorOfMarkers, 0x00C8C8C8u);
    EXPECT_EQ(settings.showSeconds, 1);
    EXPECT_EQ(settings.showLogo, 2);
    EXPECT_EQ(Text(settings.nameOfFont), L"Palatino Linotype");
    EXPECT_EQ(Text(settings.logoText), L"Brevant");
}

}  // namespace

TEST_F(RegistryStore, MissingKeyLoadsDefaultsAndIsNotCreated) {
    ExpectDefaults(Loaded());
    EXPECT_FALSE(KeyExists(KeyPath));
}

TEST_F(RegistryStore, GoodValuesLoad) {
    WriteDword(L"Color of markers", 0x00102030);
    WriteDword(L"Show seconds", 2);
    WriteDword(L"Show logo", 0);
    WriteText(L"Name of font", L"DejaVu Serif", true);
    WriteText(L"Logo text", L"Tick \u00e4\u20ac", false);
    const ClockSettings settings = Loaded();
    EXPECT_EQ(settings.colorOfMarkers, 0x00102030u);
    EXPECT_EQ(settings.showSeconds, 2);
    EXPECT_EQ(settings.showLogo, 0);
    EXPECT_EQ(Text(settings.nameOfFont), L"DejaVu Serif");
    EXPECT_EQ(Text(settings.logoText), L"Tick \u00e4\u20ac");
}

// A REG_DWORD is judged by its type: a short one is taken, one longer than four bytes is not.
TEST_F(RegistryStore, ShortDwordIsTakenLongOneRefused) {
    WriteRaw(L"Color of markers", REG_DWORD, Bytes{0x34, 0x12});
    WriteRaw(L"Show seconds", REG_DWORD, Bytes{});
    WriteRaw(L"Show logo", REG_DWORD, Bytes{0, 0, 0, 0, 0, 0, 0, 0});
    const ClockSettings settings = Loaded();
    EXPECT_EQ(settings.colorOfMarkers, 0x1234u);
    EXPECT_EQ(settings.showSeconds, 0);
    EXPECT_EQ(settings.showLogo, 2);
}

TEST_F(RegistryStore, ValuesOfTheWrongKindKeepTheirDefaultsEachAlone) {
    WriteText(L"Show seconds", L"7", true);
    WriteRaw(L"Color of markers", REG_BINARY, Bytes{0x11, 0x22, 0x33, 0x00});
    WriteText(L"Logo text", L"%USERNAME%", true, REG_EXPAND_SZ);
    WriteDword(L"Show logo", 5);
    WriteText(L"Name of font", L"Georgia", false);
    const ClockSettings settings = Loaded();
    EXPECT_EQ(settings.showSeconds, 1);
    EXPECT_EQ(settings.colorOfMarkers, 0x00C8C8C8u);
    EXPECT_EQ(Text(settings.logoText), L"Brevant");
    EXPECT_EQ(settings.showLogo, 5);
    EXPECT_EQ(Text(settings.nameOfFont), L"Georgia");
}

TEST_F(RegistryStore, TextsOfEveryStoredLengthLoadAsDecided) {
    WriteRaw(L"Logo text", REG_SZ, Bytes{});
    EXPECT_EQ(Text(Loaded().logoText), L"");

    WriteText(L"Logo text", std::wstring(299, L'x'), true);  // 600 bytes
    EXPECT_EQ(Text(Loaded().logoText), L"Brevant");
    WriteText(L"Logo text", std::wstring(259, L'x'), true);  // 520 bytes, NUL last
    EXPECT_EQ(Text(Loaded().logoText), std::wstring(259, L'x'));
    WriteText(L"Logo text", std::wstring(259, L'y') + L'z', false);  // 520 bytes, no NUL
    EXPECT_EQ(Text(Loaded().logoText), std::wstring(259, L'y'));
    WriteText(L"Logo text", std::wstring(260, L'x'), true);  // 522 bytes
    EXPECT_EQ(Text(Loaded().logoText), L"Brevant");

    WriteRaw(L"Logo text", REG_SZ, Bytes{'O', 0, 'K'});  // a dangling odd byte
    EXPECT_EQ(Text(Loaded().logoText), L"O");

    for (bool withNul : {true, false}) {
        WriteText(L"Logo text", L"Mittag", withNul);
        EXPECT_EQ(Text(Loaded().logoText), L"Mittag") << withNul;
    }
}

TEST_F(RegistryStore, SaveCreatesTheKeyAndWritesExactValues) {
    ClockSettings settings{};
    SetDefaultSettings(settings);
    settings.colorOfInk = 0x00ABCDEF;
    settings.showLogo = 5;
    SaveSettings(settings);
    EXPECT_TRUE(LastSaveOutcome().Succeeded());
    ASSERT_TRUE(KeyExists(KeyPath));

    const auto expect = [](const wchar_t* name, DWORD type, const Bytes& bytes) {
        const std::optional<RawValue> value = ReadRaw(name);
        ASSERT_TRUE(value.has_value()) << name;
        EXPECT_EQ(value->type, type) << name;
        EXPECT_EQ(value->bytes, bytes) << name;
    };
    expect(L"Color of markers", REG_DWORD, Bytes{0xC8, 0xC8, 0xC8, 0x00});
    expect(L"Show seconds", REG_DWORD, Bytes{1, 0, 0, 0});
    expect(L"Show logo", REG_DWORD, Bytes{5, 0, 0, 0});
    expect(L"Logo text", REG_SZ, TextBytes(L"Brevant", false));
    EXPECT_EQ(ReadRaw(L"Logo text")->bytes.size(), 14u);
    expect(L"Name of font", REG_SZ, TextBytes(L"Palatino Linotype", false));
    // Nothing of the two unstored colours reaches the key.
    HKEY key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath, 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD valueCount = 0;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &valueCount,
                     nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(key);
    EXPECT_EQ(valueCount, SettingsTable().size());

    settings.logoText[0] = u'\0';
    SaveSettings(settings);
    expect(L"Logo text", REG_SZ, Bytes{});
}

TEST_F(RegistryStore, WhatSaveWritesLoadsBack) {
    ClockSettings saved{};
    SetDefaultSettings(saved);
    saved.colorOfMarkers = 0x000080FF;
    saved.showSeconds = 0;
    saved.showLogo = 1;
    std::fill_n(saved.nameOfFont, 259, u'f');
    saved.nameOfFont[259] = u'\0';
    std::copy_n(u"\u00c9t\u00e9", 4, saved.logoText);
    SaveSettings(saved);
    const ClockSettings loaded = Loaded();
    EXPECT_EQ(loaded.colorOfMarkers, saved.colorOfMarkers);
    EXPECT_EQ(loaded.showSeconds, saved.showSeconds);
    EXPECT_EQ(loaded.showLogo, saved.showLogo);
    EXPECT_EQ(Text(loaded.nameOfFont), Text(saved.nameOfFont));
    EXPECT_EQ(Text(loaded.logoText), Text(saved.logoText));
}
