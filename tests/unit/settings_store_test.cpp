#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>

#include "settings/settings_store.h"
#include "settings/settings_table.h"
#include "tests/unit/memory_settings_store.h"

namespace {

using Type = StoreValueType;
using Bytes = std::vector<uint8_t>;

std::u16string Text(const char16_t (&field)[SettingsTextCapacity]) {
    return std::u16string(field, static_cast<size_t>(SettingsTextLength(field)));
}

void Fill(char16_t (&field)[SettingsTextCapacity], const std::u16string& text) {
    ASSERT_LT(text.size(), size_t{SettingsTextCapacity});
    std::copy(text.begin(), text.end(), field);
    field[text.size()] = u'\0';
}

// A record whose every byte is set, so that a field nobody wrote shows up.
ClockSettings Garbage() {
    ClockSettings settings;
    std::memset(&settings, 0x5A, sizeof settings);
    return settings;
}

void ExpectDefaults(const ClockSettings& settings) {
    EXPECT_EQ(settings.colorOfMarkers, 0x00C8C8C8u);
    EXPECT_EQ(settings.showSeconds, 1);
    EXPECT_EQ(settings.showLogo, 2);
    EXPECT_EQ(Text(settings.nameOfFont), u"Palatino Linotype");
    EXPECT_EQ(Text(settings.logoText), u"Brevant");
    EXPECT_EQ(settings.monitors, 0);
    EXPECT_EQ(settings.face, 0);
    EXPECT_EQ(settings.nightStarts * 10000 + settings.nightEnds, 1320 * 10000 + 420);
    EXPECT_EQ(settings.drift, 0);
    EXPECT_EQ(settings.size, 100);
    EXPECT_EQ(settings.place * 10 + settings.numerals, 0);
    EXPECT_EQ(settings.colorOfFace, 0x00FFFFFFu);
    EXPECT_EQ(settings.colorOfNumerals | settings.colorOfHands, 0u);
    EXPECT_EQ(settings.colorOfGround, 0x00FFFFFFu);
    EXPECT_EQ(settings.glide, 0);
    for (int i = 0; i < WorldClockCount; ++i) {
        EXPECT_EQ(Text(settings.worldZone[i]) + Text(settings.worldLabel[i]), u"") << i;
    }
}

// A key holding five good values, none of them a default.
MemorySettingsStore StoreWithFiveValues() {
    MemorySettingsStore store;
    store.PutDword(u"Color of markers", 0x00123456);
    store.PutDword(u"Show seconds", 0);
    store.PutDword(u"Show logo", 1);
    store.PutText(u"Name of font", u"DejaVu Serif", true);
    store.PutText(u"Logo text", u"Tick", false);
    store.PutDword(u"Monitors", 1);
    store.PutDword(u"Face", 2);
    store.PutDword(u"Night starts", 1439);
    store.PutDword(u"Night ends", 0);
    store.PutDword(u"Drift", 3);
    return store;
}

ClockSettings Load(MemorySettingsStore& store) {
    ClockSettings settings = Garbage();
    LoadSettingsFrom(store, settings);
    return settings;
}

std::string Narrow(const char16_t* text) { return std::string(text, text + std::char_traits<char16_t>::length(text)); }

// The calls of a load or a store: open or create the key, one per row in the table's order, close.
std::vector<std::string> CallsOverTheTable(const char* first, const char* each) {
    std::vector<std::string> calls = {std::string(first) + " Software\\Brevant\\Tarnwick"};
    for (const SettingRow& row : SettingsTable()) calls.push_back(std::string(each) + " " + Narrow(row.valueName));
    calls.push_back("close");
    return calls;
}

const std::vector<std::string> LoadCalls = CallsOverTheTable("open", "query");

}  // namespace

TEST(SettingsDefaults, SetTheFiveUserFieldsAndLeaveTheTwoColoursAlone) {
    ClockSettings settings = Garbage();
    SetDefaultSettings(settings);
    ExpectDefaults(settings);
    EXPECT_EQ(settings.colorOfInk, 0x5A5A5A5Au);
    EXPECT_EQ(settings.colorOfBackground, 0x5A5A5A5Au);
    // The texts end at their NUL: nothing of what the buffers held before is left inside them.
    EXPECT_EQ(settings.logoText[7], u'\0');
    EXPECT_EQ(settings.nameOfFont[17], u'\0');
}

TEST(SettingsText, LengthStopsAtTheNulOrTheFieldsEnd) {
    ClockSettings settings = Garbage();
    for (char16_t& unit : settings.logoText) unit = u'y';
    EXPECT_EQ(SettingsTextLength(settings.logoText), 260);
    settings.logoText[17] = u'\0';
    EXPECT_EQ(SettingsTextLength(settings.logoText), 17);
    settings.logoText[0] = u'\0';
    EXPECT_EQ(SettingsTextLength(settings.logoText), 0);
}

TEST(LoadSettings, MissingKeyGivesDefaultsAndCreatesNothing) {
    MemorySettingsStore store;
    ClockSettings settings = Garbage();
    LoadSettingsFrom(store, settings);
    ExpectDefaults(settings);
    EXPECT_EQ(settings.colorOfInk, 0x5A5A5A5Au);
    EXPECT_FALSE(store.keyExists);
    EXPECT_TRUE(store.values.empty());
    EXPECT_EQ(store.log, std::vector<std::string>{"open Software\\Brevant\\Tarnwick"});
}

TEST(LoadSettings, KeyThatCannotBeOpenedGivesDefaultsWithoutQueries) {
    MemorySettingsStore store = StoreWithFiveValues();
    store.openFailure = 5;  // access denied
    const ClockSettings settings = Load(store);
    ExpectDefaults(settings);
    EXPECT_EQ(store.log.size(), 1u);
}

TEST(LoadSettings, GoodValuesAreReadInOrderAndTheKeyClosed) {
    MemorySettingsStore store = StoreWithFiveValues();
    const ClockSettings settings = Load(store);
    EXPECT_EQ(settings.colorOfMarkers, 0x00123456u);
    EXPECT_EQ(settings.showSeconds, 0);
    EXPECT_EQ(settings.showLogo, 1);
    EXPECT_EQ(Text(settings.nameOfFont), u"DejaVu Serif");
    EXPECT_EQ(Text(settings.logoText), u"Tick");
    EXPECT_EQ(settings.colorOfInk, 0x5A5A5A5Au);
    EXPECT_EQ(settings.colorOfBackground, 0x5A5A5A5Au);
    EXPECT_EQ(store.log, LoadCalls);
    EXPECT_FALSE(store.IsOpen());
}

TEST(LoadSettings, EmptyKeyStillQueriesEveryValueAndCloses) {
    MemorySettingsStore store;
    store.keyExists = true;
    ExpectDefaults(Load(store));
    EXPECT_EQ(store.log, LoadCalls);
}

TEST(LoadSettings, AnyThirtyTwoBitNumberIsTakenUnchanged) {
    MemorySettingsStore store;
    store.PutDword(u"Color of markers", 0xFFFFFFFF);
    store.PutDword(u"Show seconds", 0x80000000);
    store.PutDword(u"Show logo", 5);
    const ClockSettings settings = Load(store);
    EXPECT_EQ(settings.colorOfMarkers, 0xFFFFFFFFu);
    EXPECT_EQ(settings.showSeconds, INT32_MIN);
    EXPECT_EQ(settings.showLogo, 5);
    EXPECT_EQ(LogoModeOf(settings.showLogo), LogoMode::Text);
}

TEST(LoadSettings, NumbersOfOtherTypesOrTooLargeAreRefused) {
    MemorySettingsStore store;
    store.PutText(u"Show seconds", u"0", true);                        // a REG_SZ text
    store.Put(u"Color of markers", Type::Binary, {0x10, 0x20, 0x30, 0});  // 4 bytes, yet binary
    store.Put(u"Show logo", Type::Dword, {0, 0, 0, 0, 0});              // too large for the buffer
    ExpectDefaults(Load(store));

    store.Put(u"Show logo", Type::Dword, {0, 0, 0, 0, 0, 0, 0, 0});
    store.Put(u"Color of markers", Type::ExpandString, {0, 0, 0, 0});
    ExpectDefaults(Load(store));
}

// The type decides, not the size: a short REG_DWORD is its own bytes with zeros above them.
TEST(LoadSettings, ShortDwordIsTakenWithZerosAbove) {
    MemorySettingsStore store;
    store.Put(u"Color of markers", Type::Dword, {0x34, 0x12});
    store.Put(u"Show seconds", Type::Dword, {});
    store.Put(u"Show logo", Type::Dword, {0x05, 0x00, 0x01});
    const ClockSettings settings = Load(store);
    EXPECT_EQ(settings.colorOfMarkers, 0x1234u);
    EXPECT_EQ(settings.showSeconds, 0);
    EXPECT_EQ(settings.showLogo, 0x10005);
}

// How a stored "Logo text" of any type and byte count loads; null expected: the default stays.
TEST(LoadSettings, StoredTextsLoadAsTheirTypeAndByteCountAllow) {
    using Text16 = std::u16string;
    const Text16 clock = u"Zeit \u00e4\u20ac\U0001F570";
    Text16 full(260, u'x');
    full[258] = u'L';  // the last character kept
    full[259] = u'Z';  // the one that has no room beside the NUL
    Bytes nearlyFull = MemorySettingsStore::TextBytes(Text16(259, u'w'), false);
    nearlyFull.push_back('v');  // 519 bytes
    const Text16 none = u"\uFFFF";
    struct Case {
        const char* what;
        Type type;
        Bytes bytes;
        Text16 expected;  // none: the default stays
    };
    const Case cases[] = {
        {"with its NUL", Type::String, MemorySettingsStore::TextBytes(clock, true), clock},
        {"without its NUL", Type::String, MemorySettingsStore::TextBytes(clock, false), clock},
        {"zero bytes: empty, not the default", Type::String, {}, u""},
        {"a NUL alone", Type::String, {0, 0}, u""},
        {"ends at its first NUL", Type::String, {'A', 0, 'B', 0, 0, 0, 'C', 0, 'D', 0}, u"AB"},
        {"expandable text", Type::ExpandString, MemorySettingsStore::TextBytes(u"%USERNAME%", true), none},
        {"binary", Type::Binary, MemorySettingsStore::TextBytes(u"Georgia", true), none},
        {"a number", Type::Dword, {0x41, 0, 0x41, 0}, none},
        {"260 units and a NUL: too large", Type::String, MemorySettingsStore::TextBytes(Text16(260, u'x'), true), none},
        {"299 units: too large", Type::String, MemorySettingsStore::TextBytes(Text16(299, u'y'), true), none},
        {"520 bytes without NUL: cut to 259", Type::String, MemorySettingsStore::TextBytes(full, false),
         full.substr(0, 259)},
        {"259 units and a NUL", Type::String, MemorySettingsStore::TextBytes(full.substr(0, 259), true),
         full.substr(0, 259)},
        {"one unit and a half", Type::String, {'O', 0, 'K'}, u"O"},
        {"half a unit", Type::String, {'Q'}, u""},
        {"519 bytes", Type::String, nearlyFull, Text16(259, u'w')},
    };
    for (const Case& c : cases) {
        MemorySettingsStore store;
        store.Put(u"Logo text", c.type, c.bytes);
        const ClockSettings settings = Load(store);
        EXPECT_EQ(Text(settings.logoText), c.expected == none ? u"Brevant" : c.expected) << c.what;
        EXPECT_LT(SettingsTextLength(settings.logoText), SettingsTextCapacity) << c.what;  // ended by a NUL
        EXPECT_EQ(Text(settings.nameOfFont), u"Palatino Linotype") << c.what;
    }
}

namespace {

// A record whose every stored field passes its rule and differs from its default.
ClockSettings EveryRowChanged() {
    ClockSettings settings = Garbage();
    SetDefaultSettings(settings);
    for (const SettingRow& row : SettingsTable()) {
        const auto low = static_cast<uint32_t>(row.rule.low);
        if (row.Kind() == SettingKind::Text) {
            Fill(TextOf(row, settings), u"\u00e9 " + std::u16string(row.valueName));
        } else if (row.Kind() == SettingKind::Colour) {
            SetStoredNumber(row, settings, row.defaultNumber ^ 0x00A5A5A5);
        } else {
            SetStoredNumber(row, settings, low == row.defaultNumber ? low + 1 : low);
        }
    }
    return settings;
}

bool SameField(const SettingRow& row, const ClockSettings& a, const ClockSettings& b) {
    if (row.Kind() == SettingKind::Text) return Text(TextOf(row, a)) == Text(TextOf(row, b));
    return StoredNumberOf(row, a) == StoredNumberOf(row, b);
}

}  // namespace

// Each value is judged by itself: spoiling one (missing, of another type, too large for its
// buffer, outside its rule) leaves only its own field at the default.
TEST(LoadSettings, EachValueIsJudgedAlone) {
    const ClockSettings changed = EveryRowChanged();
    ClockSettings defaults = Garbage();
    SetDefaultSettings(defaults);
    MemorySettingsStore saved;
    ASSERT_TRUE(SaveSettingsTo(saved, changed).Succeeded());
    for (const SettingRow& row : SettingsTable()) {
        const std::u16string name = row.valueName;
        std::vector<std::function<void(MemorySettingsStore&)>> spoilers = {
            [&](MemorySettingsStore& store) { store.values.erase(name); },
            [&](MemorySettingsStore& store) { store.values[name].type = Type::Binary; },
            [&](MemorySettingsStore& store) { store.values[name].bytes.resize(StoredTextBufferBytes + 2, 'x'); },
        };
        if (row.Kind() == SettingKind::Number && !row.rule.TakesAny()) {
            for (int64_t outside : {int64_t{row.rule.low} - 1, int64_t{row.rule.high} + 1}) {
                spoilers.push_back([&, outside](MemorySettingsStore& store) {
                    store.PutDword(name, static_cast<uint32_t>(outside));
                });
            }
        }
        for (size_t spoiler = 0; spoiler < spoilers.size(); ++spoiler) {
            MemorySettingsStore store = saved;
            store.log.clear();
            spoilers[spoiler](store);
            const ClockSettings settings = Load(store);
            for (const SettingRow& other : SettingsTable()) {
                EXPECT_TRUE(SameField(other, settings, &other == &row ? defaults : changed))
                    << "spoiled " << Narrow(row.valueName) << " by " << spoiler << ", checked "
                    << Narrow(other.valueName);
            }
            EXPECT_EQ(store.log, LoadCalls);
        }
    }
}

namespace {

ClockSettings SampleSettings() {
    ClockSettings settings = Garbage();
    SetDefaultSettings(settings);
    settings.colorOfInk = 0x00010203;
    settings.colorOfBackground = 0x00040506;
    settings.colorOfMarkers = 0x00A1B2C3;
    settings.showSeconds = 2;
    settings.showLogo = 5;
    return settings;
}

const std::vector<std::string> SaveCalls = CallsOverTheTable("create", "set");

}  // namespace

TEST(SaveSettings, WritesEveryValueInOrderWithExactTypesAndBytes) {
    MemorySettingsStore store;
    const SaveOutcome outcome = SaveSettingsTo(store, SampleSettings());
    EXPECT_TRUE(outcome.Succeeded());
    EXPECT_EQ(store.log, SaveCalls);
    EXPECT_FALSE(store.IsOpen());
    ASSERT_EQ(store.values.size(), SettingsTable().size());  // the two unstored colours are not among them

    const auto expect = [&](const char16_t* name, Type type, const Bytes& bytes) {
        const MemorySettingsStore::Value& value = store.values.at(name);
        EXPECT_EQ(value.type, type) << std::string(name, name + 4);
        EXPECT_EQ(value.bytes, bytes) << std::string(name, name + 4);
    };
    expect(u"Color of markers", Type::Dword, {0xC3, 0xB2, 0xA1, 0x00});
    expect(u"Show seconds", Type::Dword, {2, 0, 0, 0});
    expect(u"Show logo", Type::Dword, {5, 0, 0, 0});
    expect(u"Night starts", Type::Dword, {0x28, 0x05, 0, 0});  // 1320
    expect(u"Logo text", Type::String, {'B', 0, 'r', 0, 'e', 0, 'v', 0, 'a', 0, 'n', 0, 't', 0});
    EXPECT_EQ(store.values.at(u"Logo text").bytes.size(), 14u);
    expect(u"Name of font", Type::String,
           MemorySettingsStore::TextBytes(u"Palatino Linotype", false));
    expect(u"Size", Type::Dword, {100, 0, 0, 0});
    expect(u"Place", Type::Dword, {0, 0, 0, 0});
    expect(u"Numerals", Type::Dword, {0, 0, 0, 0});
    expect(u"Color of face", Type::Dword, {0xFF, 0xFF, 0xFF, 0});
    expect(u"Color of hands", Type::Dword, {0, 0, 0, 0});
    expect(u"Glide", Type::Dword, {0, 0, 0, 0});
    expect(u"World clock 4 label", Type::String, {});
}

TEST(SaveSettings, TextsAreWrittenWithoutNulAndEmptyAsZeroBytes) {
    ClockSettings settings = SampleSettings();
    Fill(settings.logoText, u"");
    Fill(settings.nameOfFont, std::u16string(259, u'\u00e9'));
    MemorySettingsStore store;
    SaveSettingsTo(store, settings);
    EXPECT_TRUE(store.values.at(u"Logo text").bytes.empty());
    EXPECT_EQ(store.values.at(u"Name of font").bytes,
              MemorySettingsStore::TextBytes(std::u16string(259, u'\u00e9'), false));
}

TEST(SaveSettings, FieldWithoutNulIsWrittenAsItsFirst259Characters) {
    ClockSettings settings = SampleSettings();
    for (char16_t& unit : settings.logoText) unit = u'q';
    MemorySettingsStore store;
    SaveSettingsTo(store, settings);
    EXPECT_EQ(store.values.at(u"Logo text").bytes.size(), 518u);
}

TEST(SaveSettings, OverwritesWhatTheKeyHeld) {
    MemorySettingsStore store;
    store.PutText(u"Show seconds", u"7", true);
    store.PutText(u"Logo text", u"old", true, Type::ExpandString);
    store.PutDword(u"Something else", 9);
    SaveSettingsTo(store, SampleSettings());
    EXPECT_EQ(store.values.at(u"Show seconds").type, Type::Dword);
    EXPECT_EQ(store.values.at(u"Logo text").type, Type::String);
    EXPECT_EQ(store.values.at(u"Something else").bytes, (Bytes{9, 0, 0, 0}));
}

TEST(SaveSettings, KeyThatCannotBeCreatedWritesNothing) {
    MemorySettingsStore store;
    store.createFailure = 5;
    const SaveOutcome outcome = SaveSettingsTo(store, SampleSettings());
    EXPECT_EQ(outcome.openStatus, 5);
    EXPECT_FALSE(outcome.Succeeded());
    EXPECT_EQ(store.log, std::vector<std::string>{"create Software\\Brevant\\Tarnwick"});
    EXPECT_TRUE(store.values.empty());
}

TEST(SaveSettings, FailedWriteIsCountedAndTheRestStillWritten) {
    MemorySettingsStore store;
    store.failingWrites = {u"Show seconds", u"Name of font"};
    const SaveOutcome outcome = SaveSettingsTo(store, SampleSettings());
    EXPECT_EQ(outcome.openStatus, StoreSuccess);
    EXPECT_EQ(outcome.failedWrites, 2);
    EXPECT_FALSE(outcome.Succeeded());
    EXPECT_EQ(store.log, SaveCalls);
    EXPECT_EQ(store.values.size(), SettingsTable().size() - 2);
}

TEST(SaveSettings, WhatIsStoredLoadsBackAsTheSameUserFields) {
    ClockSettings saved = EveryRowChanged();
    Fill(saved.nameOfFont, std::u16string(259, u'n'));
    Fill(saved.logoText, u"\U0001F570 o'clock");
    MemorySettingsStore store;
    SaveSettingsTo(store, saved);
    const ClockSettings loaded = Load(store);
    for (const SettingRow& row : SettingsTable()) EXPECT_TRUE(SameField(row, loaded, saved)) << Narrow(row.valueName);
}
