#include "settings/dialog_logic.h"

#include <cstring>

#include "resources/resource_ids.h"

int SecondsButtonFor(int32_t showSeconds) {
    switch (SecondsModeOf(showSeconds)) {
        case SecondsMode::Off: return IDC_SECONDS_OFF;
        case SecondsMode::Normal: return IDC_SECONDS_NORMAL;
        case SecondsMode::FullBack: break;
    }
    return IDC_SECONDS_FULLBACK;
}

int LogoButtonFor(int32_t showLogo) {
    switch (LogoModeOf(showLogo)) {
        case LogoMode::Off: return IDC_LOGO_OFF;
        case LogoMode::Date: return IDC_LOGO_DATE;
        case LogoMode::Text: break;
    }
    return IDC_LOGO_TEXT;
}

int32_t ModeFromChecks(bool thirdChecked, bool secondChecked) {
    return 2 * (thirdChecked ? 1 : 0) + (secondChecked ? 1 : 0);
}

void ReadBackControls(const SettingsControls& controls, ClockSettings& settings) {
    settings.colorOfMarkers = controls.swatchColour;
    settings.showSeconds = ModeFromChecks(controls.secondsFullBack, controls.secondsNormal);
    settings.showLogo = ModeFromChecks(controls.logoText, controls.logoDate);
    CopySettingsText(settings.nameOfFont, controls.fontName);
    CopySettingsText(settings.logoText, controls.logoTextValue);
    // A drop-down with nothing selected, or a picker with no time, keeps what the record held.
    if (controls.faceItem >= 0) settings.face = controls.faceItem;
    if (controls.monitorsItem >= 0) settings.monitors = controls.monitorsItem;
    if (IsMinuteOfDay(controls.nightStarts)) settings.nightStarts = controls.nightStarts;
    if (IsMinuteOfDay(controls.nightEnds)) settings.nightEnds = controls.nightEnds;
    settings.drift = controls.drift ? 1 : 0;
    if (ClockSizeRange.Takes(controls.sizePosition)) settings.size = controls.sizePosition;
    if (controls.placeItem >= 0) settings.place = controls.placeItem;
    if (controls.numeralsItem >= 0) settings.numerals = controls.numeralsItem;
    settings.colorOfFace = controls.clockColours[0];
    settings.colorOfNumerals = controls.clockColours[1];
    settings.colorOfHands = controls.clockColours[2];
    settings.colorOfGround = controls.clockColours[3];
    settings.glide = controls.glide ? 1 : 0;
}

int FaceItemFor(int32_t face) { return static_cast<int>(FaceModeOf(face)); }

int MonitorsItemFor(int32_t monitors) { return monitors == 0 ? 0 : 1; }

int SizePositionFor(int32_t size) { return ClockSizeRange.Takes(size) ? size : DefaultClockSize; }

int PlaceItemFor(int32_t place) {
    return ClockPlaceRange.Takes(place) ? place : static_cast<int>(ClockPlace::Centre);
}

int NumeralsItemFor(int32_t numerals) {
    return NumeralStyleRange.Takes(numerals) ? numerals : static_cast<int>(NumeralStyle::Arabic);
}

std::u16string SizeText(int position) {
    std::u16string text;
    for (char c : std::to_string(position)) text += static_cast<char16_t>(c);
    return text + u" %";
}

namespace {
char16_t AsciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool SameZoneName(const std::u16string& name, const char16_t* stored) {
    size_t i = 0;
    for (; i < name.size(); ++i) {
        if (stored[i] == u'\0' || AsciiLower(stored[i]) != AsciiLower(name[i])) return false;
    }
    return stored[i] == u'\0';
}
}  // namespace

int WorldZoneItemFor(const char16_t* storedZone, const std::vector<TimeZoneChoice>& zones) {
    if (storedZone == nullptr || storedZone[0] == u'\0') return 0;
    for (size_t i = 0; i < zones.size(); ++i) {
        if (SameZoneName(zones[i].name, storedZone)) return static_cast<int>(i) + 1;
    }
    return 0;
}

void ReadBackWorldClocks(const WorldClockRow (&rows)[WorldClockCount], const std::vector<TimeZoneChoice>& zones,
                         ClockSettings& settings) {
    for (int row = 0; row < WorldClockCount; ++row) {
        const WorldClockRow& shown = rows[row];
        if (shown.zoneChanged && shown.zoneItem >= 0) {
            // Item 0 is "(none)".
            const auto zone = static_cast<size_t>(shown.zoneItem);
            const char16_t* chosen = zone >= 1 && zone <= zones.size() ? zones[zone - 1].name.c_str() : u"";
            CopySettingsText(settings.worldZone[row], chosen);
        }
        CopySettingsText(settings.worldLabel[row], shown.label);
    }
}

namespace {
// Red, orange, yellow, lime, green, spring, cyan, azure, blue, violet, magenta, rose, then four
// greys; the last is the default marker colour.
constexpr uint32_t CustomColours[CustomColourCount] = {
    0x0000FF, 0x0080FF, 0x00FFFF, 0x00FF80, 0x00FF00, 0x80FF00, 0xFFFF00, 0xFF8000,
    0xFF0000, 0xFF0080, 0xFF00FF, 0x8000FF, 0x646464, 0x969696, 0xAFAFAF, 0xC8C8C8,
};

constexpr std::string_view VersionWord = " version ";

// Appends as much of the text as fits, keeping room for the NUL.
std::size_t Append(char* buffer, std::size_t used, std::size_t capacity, std::string_view text) {
    for (char c : text) {
        if (used + 1 >= capacity) break;
        buffer[used++] = c;
    }
    return used;
}
}  // namespace

void FillCustomColours(uint32_t (&colours)[CustomColourCount]) {
    std::memcpy(colours, CustomColours, sizeof CustomColours);
}

std::size_t BuildAboutTitle(std::string_view productName, std::string_view versionText, char* buffer,
                            std::size_t capacity) {
    if (buffer == nullptr || capacity == 0) return 0;
    std::size_t used = Append(buffer, 0, capacity, productName);
    used = Append(buffer, used, capacity, VersionWord);
    used = Append(buffer, used, capacity, versionText);
    buffer[used] = '\0';
    return used;
}

uint32_t PreviewColour(int32_t controlId, uint32_t controlNumber, uint32_t fallback) {
    return controlId != 0 ? controlNumber : fallback;
}

int InitialFontSelection(int foundIndex, int itemCount) {
    if (itemCount <= 0) return -1;
    return foundIndex >= 0 && foundIndex < itemCount ? foundIndex : 0;
}
