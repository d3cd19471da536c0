// The one table of the stored settings: a row per value of the settings key, saying which field
// of ClockSettings it fills, its value name, kind, default, acceptance rule and command-line
// option. The defaults, the load and store rules and the settings options all walk this table,
// so a new setting is one row here (plus its dialog control and the place that draws it).
// Platform-free.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "settings/clock_settings.h"

// How a value is stored and read: numbers and colours as REG_DWORD, texts as REG_SZ.
enum class SettingKind : uint8_t { Number, Colour, Text };

using SettingsText = char16_t[SettingsTextCapacity];
using WorldClockTexts = SettingsText[WorldClockCount];

// Where a row's value lives in the record: a number, a colour, a text, or one text of an array.
struct SettingField {
    constexpr SettingField(int32_t ClockSettings::*field) : number(field) {}
    constexpr SettingField(uint32_t ClockSettings::*field) : colour(field) {}
    constexpr SettingField(SettingsText ClockSettings::*field) : text(field) {}
    constexpr SettingField(WorldClockTexts ClockSettings::*field, int index) : texts(field), element(index) {}

    int32_t ClockSettings::*number = nullptr;
    uint32_t ClockSettings::*colour = nullptr;
    SettingsText ClockSettings::*text = nullptr;
    WorldClockTexts ClockSettings::*texts = nullptr;
    int element = 0;
};

// Sets the fields from an option's value (one option may set several); whether it was taken.
using ApplySettingOption = bool (*)(const std::string& value, ClockSettings& settings);

// The command-line option of a row; a row without a name has none.
struct SettingOption {
    const char* name = nullptr;  // without its dashes
    unsigned group = 0;          // the option_group that offers it
    int order = 0;               // its place in the help among every program's options
    const char* value = nullptr; // how the help names the value; null: a flag that sets 1
    const char* help = nullptr;
    // A number's words for 0, 1, 2… (null-ended); a number is then a word or any accepted number.
    const char* const* words = nullptr;
    // What the complaint says was expected; null: made from the words and the rule.
    const char* expected = nullptr;
    ApplySettingOption apply = nullptr;  // null: the kind's own reading of the value
};

struct SettingRow {
    const char16_t* valueName;  // stored data depends on it: it never changes
    SettingField field;
    uint32_t defaultNumber;     // a number or colour as stored
    const char16_t* defaultText;
    SettingRange rule;          // the numbers a load or an option takes
    SettingOption option;

    SettingKind Kind() const {
        if (field.number != nullptr) return SettingKind::Number;
        if (field.colour != nullptr) return SettingKind::Colour;
        return SettingKind::Text;
    }
};

// Every row, in the order the values are loaded and stored: numbers first, then texts.
struct SettingRows {
    const SettingRow* first;
    size_t count;
    const SettingRow* begin() const { return first; }
    const SettingRow* end() const { return first + count; }
    size_t size() const { return count; }
    const SettingRow& operator[](size_t index) const { return first[index]; }
};
SettingRows SettingsTable();

// A number or colour row's field as stored (32 bits), and setting it from the stored form.
uint32_t StoredNumberOf(const SettingRow& row, const ClockSettings& settings);
void SetStoredNumber(const SettingRow& row, ClockSettings& settings, uint32_t value);
// Whether a number row's rule takes the stored number (a colour row takes any).
bool TakesStoredNumber(const SettingRow& row, uint32_t value);
// A text row's field.
SettingsText& TextOf(const SettingRow& row, ClockSettings& settings);
const SettingsText& TextOf(const SettingRow& row, const ClockSettings& settings);
