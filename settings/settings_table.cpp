#include "settings/settings_table.h"

#include "settings/clock_options.h"

namespace {

constexpr SettingRow Number(const char16_t* name, int32_t ClockSettings::*field, int32_t byDefault,
                            SettingRange rule, SettingOption option = {}) {
    return {name, field, static_cast<uint32_t>(byDefault), nullptr, rule, option};
}

constexpr SettingRow Colour(const char16_t* name, uint32_t ClockSettings::*field, uint32_t byDefault,
                            SettingOption option = {}) {
    return {name, field, byDefault, nullptr, AnyNumber, option};
}

constexpr SettingRow Text(const char16_t* name, SettingField field, const char16_t* byDefault,
                          SettingOption option = {}) {
    return {name, field, 0, byDefault, AnyNumber, option};
}

// Both night boundaries come from one option.
bool ApplyNightHours(const std::string& value, ClockSettings& settings) {
    return ParseNightHours(value, settings.nightStarts, settings.nightEnds);
}

constexpr const char* SecondsWords[] = {"off", "normal", "fullback", nullptr};
constexpr const char* LogoWords[] = {"off", "date", "text", nullptr};
constexpr const char* MonitorsWords[] = {"main", "all", nullptr};
constexpr const char* FaceWords[] = {"light", "dark", "night", nullptr};
// In ClockPlace's order.
constexpr const char* PlaceWords[] = {"centre", "top-left", "top", "top-right", "right", "bottom-right",
                                      "bottom", "bottom-left", "left", "wandering", nullptr};
// In NumeralStyle's order.
constexpr const char* NumeralsWords[] = {"arabic", "roman", "four", "none", nullptr};

namespace g = option_group;
using C = ClockSettings;

// The order numbers place each option in the help among the programs' own (clock_options.cpp).
const SettingRow Rows[] = {
    Colour(u"Color of markers", &C::colorOfMarkers, DefaultColorOfMarkers,
           {"color", g::Settings, 140, "#RRGGBB", "the marker colour, or 0xBBGGRR as stored (default #C8C8C8)"}),
    Number(u"Show seconds", &C::showSeconds, DefaultShowSeconds, AnyNumber,
           {"seconds", g::Settings, 100, "off|normal|fullback|N", "the seconds hand (default normal)", SecondsWords}),
    Number(u"Show logo", &C::showLogo, DefaultShowLogo, AnyNumber,
           {"logo", g::Settings, 110, "off|date|text|N", "the line below the centre (default text)", LogoWords}),
    Number(u"Monitors", &C::monitors, 0, AnyNumber,
           {"monitors", g::Monitors, 60, "main|all",
            "the clock on the main monitor, the others black, or on every one (default main)", MonitorsWords}),
    Number(u"Face", &C::face, static_cast<int32_t>(FaceMode::Light), AnyNumber,
           {"face", g::Settings, 150, "light|dark|night",
            "the face: light, dark, or dark in the night hours (default light)", FaceWords}),
    Number(u"Night starts", &C::nightStarts, DefaultNightStarts, MinuteOfDayRange,
           {"night", g::Settings, 160, "HH:MM-HH:MM", "the night hours of --face night (default 22:00-07:00)",
            nullptr, "HH:MM-HH:MM, 24-hour clock", ApplyNightHours}),
    Number(u"Night ends", &C::nightEnds, DefaultNightEnds, MinuteOfDayRange),
    Number(u"Drift", &C::drift, 0, AnyNumber,
           {"drift", g::Settings, 170, nullptr, "move the clock a little every minute, against burn-in"}),
    Number(u"Size", &C::size, DefaultClockSize, ClockSizeRange,
           {"clock-size", g::Settings, 180, "PERCENT", "the clock's size, 30 to 100 per cent of the full one (default 100)"}),
    Number(u"Place", &C::place, static_cast<int32_t>(ClockPlace::Centre), ClockPlaceRange,
           {"place", g::Settings, 190, "PLACE|N",
            "centre, top-left, top, top-right, right, bottom-right, bottom, bottom-left, left or wandering "
            "(default centre)",
            PlaceWords}),
    Number(u"Numerals", &C::numerals, static_cast<int32_t>(NumeralStyle::Arabic), NumeralStyleRange,
           {"numerals", g::Settings, 200, "arabic|roman|four|none|N",
            "1 to 12, I to XII, only 12, 3, 6 and 9, or none (default arabic)", NumeralsWords}),
    Colour(u"Color of face", &C::colorOfFace, DefaultColorOfFace,
           {"face-color", g::Settings, 210, "#RRGGBB", "the light face's colour (default #FFFFFF)"}),
    Colour(u"Color of numerals", &C::colorOfNumerals, DefaultColorOfNumerals,
           {"numerals-color", g::Settings, 220, "#RRGGBB", "the light face's numerals and minute ticks (default #000000)"}),
    Colour(u"Color of hands", &C::colorOfHands, DefaultColorOfHands,
           {"hands-color", g::Settings, 230, "#RRGGBB", "the light face's hour and minute hands (default #000000)"}),
    Colour(u"Color of ground", &C::colorOfGround, DefaultColorOfGround,
           {"ground-color", g::Settings, 240, "#RRGGBB", "the light face's screen around the clock (default #FFFFFF)"}),
    Number(u"Glide", &C::glide, 0, AnyNumber,
           {"glide", g::Settings, 250, nullptr, "let the seconds hand glide instead of stepping"}),
    Text(u"Name of font", &C::nameOfFont, DefaultNameOfFont,
         {"font", g::Settings, 130, "FAMILY", "the numerals' and logo's font (default Palatino Linotype)", nullptr,
          "a font name of at most 259 characters"}),
    Text(u"Logo text", &C::logoText, DefaultLogoText,
         {"text", g::Settings, 120, "TEXT", "the logo text, at most 259 characters (default Brevant)", nullptr,
          "at most 259 characters"}),
    // The world clocks' zones and captions: the --zone option (clock_options.cpp) fills them in
    // order, as it may be given up to four times.
    Text(u"World clock 1", {&C::worldZone, 0}, u""),
    Text(u"World clock 1 label", {&C::worldLabel, 0}, u""),
    Text(u"World clock 2", {&C::worldZone, 1}, u""),
    Text(u"World clock 2 label", {&C::worldLabel, 1}, u""),
    Text(u"World clock 3", {&C::worldZone, 2}, u""),
    Text(u"World clock 3 label", {&C::worldLabel, 2}, u""),
    Text(u"World clock 4", {&C::worldZone, 3}, u""),
    Text(u"World clock 4 label", {&C::worldLabel, 3}, u""),
};

}  // namespace

SettingRows SettingsTable() { return {Rows, sizeof Rows / sizeof Rows[0]}; }

uint32_t StoredNumberOf(const SettingRow& row, const ClockSettings& settings) {
    if (row.field.colour != nullptr) return settings.*row.field.colour;
    return static_cast<uint32_t>(settings.*row.field.number);
}

void SetStoredNumber(const SettingRow& row, ClockSettings& settings, uint32_t value) {
    if (row.field.colour != nullptr) {
        settings.*row.field.colour = value;
    } else {
        settings.*row.field.number = static_cast<int32_t>(value);
    }
}

bool TakesStoredNumber(const SettingRow& row, uint32_t value) {
    return row.Kind() == SettingKind::Colour || row.rule.Takes(static_cast<int32_t>(value));
}

SettingsText& TextOf(const SettingRow& row, ClockSettings& settings) {
    if (row.field.text != nullptr) return settings.*row.field.text;
    return (settings.*row.field.texts)[row.field.element];
}

const SettingsText& TextOf(const SettingRow& row, const ClockSettings& settings) {
    if (row.field.text != nullptr) return settings.*row.field.text;
    return (settings.*row.field.texts)[row.field.element];
}

void SetDefaultSettings(ClockSettings& settings) {
    for (const SettingRow& row : SettingsTable()) {
        if (row.Kind() == SettingKind::Text) {
            CopySettingsText(TextOf(row, settings), row.defaultText);
        } else {
            SetStoredNumber(row, settings, row.defaultNumber);
        }
    }
}
