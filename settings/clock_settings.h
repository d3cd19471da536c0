// The user's clock settings: the record, its defaults and the rules that load and store it.
// Platform-free: the registry is reached through the SettingsStore interface.
#pragma once

#include <cstdint>

// Capacity of each settings text in UTF-16 code units, the NUL included (so at most 259 characters).
constexpr int SettingsTextCapacity = 260;
// Extra clocks that may show other time zones beside the local one.
constexpr int WorldClockCount = 4;

// The numbers a stored setting takes, low and high included; a stored number outside keeps the
// field's default.
struct SettingRange {
    int32_t low;
    int32_t high;
    constexpr bool Takes(int32_t value) const { return value >= low && value <= high; }
    constexpr bool TakesAny() const { return low == INT32_MIN && high == INT32_MAX; }
};
constexpr SettingRange AnyNumber{INT32_MIN, INT32_MAX};

// Stored as 32-bit integers; readers tell apart only 0, 1 and "anything else" (the third mode).
enum class SecondsMode : int32_t { Off = 0, Normal = 1, FullBack = 2 };
enum class LogoMode : int32_t { Off = 0, Date = 1, Text = 2 };
enum class FaceMode : int32_t { Light = 0, Dark = 1, DarkAtNight = 2 };
// Where the clock stands on its monitor: the centre, against one of eight edges or corners, or
// wandering across the free area. Any other stored number keeps the default.
enum class ClockPlace : int32_t {
    Centre, TopLeft, Top, TopRight, Right, BottomRight, Bottom, BottomLeft, Left, Wandering
};
// Which numerals the dial shows: 1 to 12, I to XII (IIII at four), only 12, 3, 6 and 9, none.
// (Not "None": X11 headers define it as a macro.)
enum class NumeralStyle : int32_t { Arabic, Roman, Quarters, Hidden };

constexpr SecondsMode SecondsModeOf(int32_t value) {
    return value == 0 ? SecondsMode::Off : value == 1 ? SecondsMode::Normal : SecondsMode::FullBack;
}
constexpr LogoMode LogoModeOf(int32_t value) {
    return value == 0 ? LogoMode::Off : value == 1 ? LogoMode::Date : LogoMode::Text;
}
constexpr FaceMode FaceModeOf(int32_t value) {
    return value == 0 ? FaceMode::Light : value == 1 ? FaceMode::Dark : FaceMode::DarkAtNight;
}

// Plain, fixed-size and copied whole by value. Colours are COLORREF values (0x00BBGGRR).
struct ClockSettings {
    uint32_t colorOfInk;
    uint32_t colorOfBackground;
    uint32_t colorOfMarkers;
    char16_t nameOfFont[SettingsTextCapacity];
    int32_t showSeconds;
    int32_t showLogo;
    char16_t logoText[SettingsTextCapacity];
    int32_t monitors;     // 0: the clock on the main monitor only; anything else: on every monitor
    int32_t face;         // FaceMode
    int32_t nightStarts;  // minute of the day, 0 to 1439
    int32_t nightEnds;
    int32_t drift;        // non-zero: the full-screen picture moves a little every minute
    int32_t size;         // the clock's radius in per cent of the one that fills the shorter side
    int32_t place;        // ClockPlace
    int32_t numerals;     // NumeralStyle
    uint32_t colorOfFace;      // the light face inside the rim
    uint32_t colorOfNumerals;  // the light face's numerals and minute ticks
    uint32_t colorOfHands;     // the light face's hour and minute hands and centre cap
    uint32_t colorOfGround;    // the light face's screen around the clock
    int32_t glide;        // non-zero: the seconds hand glides instead of stepping
    char16_t worldZone[WorldClockCount][SettingsTextCapacity];   // a time zone; empty: no clock
    char16_t worldLabel[WorldClockCount][SettingsTextCapacity];  // its caption; empty: its city
};

// The running clock's settings: zero-filled until start-up loads them, read-only afterwards.
extern ClockSettings currentSettings;

// Defaults of the user fields.
constexpr uint32_t DefaultColorOfMarkers = 0x00C8C8C8;  // red, green and blue 200: a light grey
constexpr int32_t DefaultShowSeconds = static_cast<int32_t>(SecondsMode::Normal);
constexpr int32_t DefaultShowLogo = static_cast<int32_t>(LogoMode::Text);
constexpr const char16_t* DefaultLogoText = u"Brevant";
constexpr const char16_t* DefaultNameOfFont = u"Palatino Linotype";
constexpr int32_t MinutesPerDay = 24 * 60;
constexpr int32_t DefaultNightStarts = 22 * 60;
constexpr int32_t DefaultNightEnds = 7 * 60;
constexpr int32_t DefaultClockSize = 100;
constexpr uint32_t DefaultColorOfFace = 0x00FFFFFF;
constexpr uint32_t DefaultColorOfNumerals = 0x00000000;
constexpr uint32_t DefaultColorOfHands = 0x00000000;
constexpr uint32_t DefaultColorOfGround = 0x00FFFFFF;

// The rules of the numbers that take fewer than every value.
constexpr SettingRange MinuteOfDayRange{0, MinutesPerDay - 1};
// The clock's size in per cent of the one that fills the shorter side.
constexpr int32_t FullClockSize = 100;
constexpr SettingRange ClockSizeRange{30, FullClockSize};
constexpr SettingRange ClockPlaceRange{0, static_cast<int32_t>(ClockPlace::Wandering)};
constexpr SettingRange NumeralStyleRange{0, static_cast<int32_t>(NumeralStyle::Hidden)};

// A minute of the day as a night boundary can hold it.
constexpr bool IsMinuteOfDay(int32_t value) { return MinuteOfDayRange.Takes(value); }
// Whether the face is dark at that local minute of the day: always, never, or in the night hours,
// which run from nightStarts up to, not including, nightEnds (across midnight when they start
// later than they end; equal boundaries mean no night).
bool IsDarkFace(const ClockSettings& settings, int32_t minuteOfDay);

// Sets every stored field (a row of the settings table) to its default; colorOfInk and
// colorOfBackground are left alone.
void SetDefaultSettings(ClockSettings& settings);

// The text (null counts as empty) into a settings field, cut to 259 characters and ended by a NUL.
void CopySettingsText(char16_t (&field)[SettingsTextCapacity], const char16_t* text);

// Characters of a settings text before its NUL (never more than the field holds).
int SettingsTextLength(const char16_t (&field)[SettingsTextCapacity]);
