// The rules of the settings dialog, the font chooser and the About box that need no window:
// which radio button shows a stored mode, how the checked buttons become a mode again, the
// colour dialog's custom colours and the About box's first line. Platform-free.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/clock_settings.h"
#include "settings/time_zones.h"

// The radio button (control id) that shows a stored mode: 0 the first, 1 the second, any other
// value the third of its group.
int SecondsButtonFor(int32_t showSeconds);
int LogoButtonFor(int32_t showLogo);

// The drop-down item that shows a stored face (items "Light", "Dark", "Dark at night") or
// monitors choice (items "Main monitor only, others black", "Every monitor").
int FaceItemFor(int32_t face);
int MonitorsItemFor(int32_t monitors);

// What the "Clock" group shows for a stored value: a size, place or numerals value its rule does
// not take (possible only in a record not loaded through the store) shows the default, as the
// clock would draw it.
int SizePositionFor(int32_t size);
int PlaceItemFor(int32_t place);
int NumeralsItemFor(int32_t numerals);
// The text beside the size trackbar, e.g. "100 %".
std::u16string SizeText(int position);

// A mode from its group's checked buttons: the third button gives 2, the second 1, none of them 0.
int32_t ModeFromChecks(bool thirdChecked, bool secondChecked);

// The clock's own colours: face, numerals, hands, ground.
constexpr int ClockColourCount = 4;

// What the settings dialog's controls hold when OK is pressed.
struct SettingsControls {
    uint32_t swatchColour;      // the swatch button's text as an unsigned number
    bool secondsNormal;
    bool secondsFullBack;
    bool logoDate;
    bool logoText;
    const char16_t* fontName;   // the face-name label's text
    const char16_t* logoTextValue;  // the logo edit's text, enabled or not
    int faceItem = -1;          // the face drop-down's selection, -1 for none
    int32_t nightStarts = -1;   // the time pickers as minutes of the day; -1 when a picker holds none
    int32_t nightEnds = -1;
    int monitorsItem = -1;      // the monitors drop-down's selection, -1 for none
    bool drift = false;
    int sizePosition = -1;      // the size trackbar's position
    int placeItem = -1;         // the place and numerals drop-downs' selections, -1 for none
    int numeralsItem = -1;
    // The face, numerals, hands and ground swatches' texts as unsigned numbers.
    uint32_t clockColours[ClockColourCount] = {DefaultColorOfFace, DefaultColorOfNumerals, DefaultColorOfHands, DefaultColorOfGround};
    bool glide = false;
};

// Reads the controls back into the record's user fields; texts longer than the record holds
// are cut at SettingsTextCapacity - 1 code units. Ink and background are left alone.
void ReadBackControls(const SettingsControls& controls, ClockSettings& settings);

// The world clocks dialog: each row's zone list holds "(none)" and then the system's zones in the
// order given. A stored zone shows as its item; an empty one, or one the system does not know
// (names compared as Windows does, ignoring ASCII case), as "(none)".
int WorldZoneItemFor(const char16_t* storedZone, const std::vector<TimeZoneChoice>& zones);

// One row when OK is pressed.
struct WorldClockRow {
    bool zoneChanged;       // the user changed the row's zone list since the dialog opened
    int zoneItem;           // its selection, -1 for none
    const char16_t* label;  // the caption edit's text
};
// The rows into the record's world clocks. A row whose zone list was left alone keeps its stored
// zone, even one the system does not know; a changed row takes its item's zone ("" for "(none)").
void ReadBackWorldClocks(const WorldClockRow (&rows)[WorldClockCount], const std::vector<TimeZoneChoice>& zones,
                         ClockSettings& settings);

// The colour dialog's sixteen custom colours (COLORREF), refilled at every opening so that
// colours the user defined there last time are not kept.
constexpr int CustomColourCount = 16;
void FillCustomColours(uint32_t (&colours)[CustomColourCount]);

// The About box's first line, "<product> version <version>", cut to fit capacity bytes (NUL
// included). Returns the number of characters written.
std::size_t BuildAboutTitle(std::string_view productName, std::string_view versionText, char* buffer,
                            std::size_t capacity);

// The block the settings dialog hands to the font chooser: the sample to preview and the ids of
// the owner's controls it reads and writes. A colour id of 0 means no control (white ground,
// black text).
constexpr int FontSampleCapacity = 260;
struct FontChooserRequest {
    char sampleText[FontSampleCapacity];
    int32_t backgroundColourId;
    int32_t textColourId;
    int32_t faceNameId;
};

constexpr uint32_t PreviewDefaultBackground = 0x00FFFFFF;
constexpr uint32_t PreviewDefaultText = 0x00000000;
// The preview's colour: the owner's control's number, or the fallback when the id is 0.
uint32_t PreviewColour(int32_t controlId, uint32_t controlNumber, uint32_t fallback);

// Only TrueType families go into the chooser's list.
constexpr uint32_t TrueTypeFontType = 4;
constexpr bool IsTrueTypeFamily(uint32_t fontType) { return (fontType & TrueTypeFontType) != 0; }

// The list item selected when the chooser opens: the first item that begins with the owner's
// face name, else the first item; -1 (nothing) when the list is empty.
int InitialFontSelection(int foundIndex, int itemCount);
