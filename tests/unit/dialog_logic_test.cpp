#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "settings/dialog_logic.h"

namespace {
std::u16string Text(const char16_t* text) { return std::u16string(text); }
}  // namespace

// Any stored value beyond 1 shows the third button; reading the buttons back gives 0, 1 or 2.
TEST(DialogModes, StoredValuesCheckOneButtonAndReadBackToTheirMode) {
    EXPECT_EQ(SecondsButtonFor(0), IDC_SECONDS_OFF);
    EXPECT_EQ(SecondsButtonFor(1), IDC_SECONDS_NORMAL);
    EXPECT_EQ(LogoButtonFor(0), IDC_LOGO_OFF);
    EXPECT_EQ(LogoButtonFor(1), IDC_LOGO_DATE);
    for (int32_t stored : {2, 7, -1, INT32_MIN, INT32_MAX}) {
        EXPECT_EQ(SecondsButtonFor(stored), IDC_SECONDS_FULLBACK) << stored;
        EXPECT_EQ(LogoButtonFor(stored), IDC_LOGO_TEXT) << stored;
    }
    EXPECT_EQ(ModeFromChecks(false, false), 0);
    EXPECT_EQ(ModeFromChecks(false, true), 1);
    EXPECT_EQ(ModeFromChecks(true, false), 2);
    // A face above 2 (or below 0) shows "Dark at night", any monitors choice but 0 "Every monitor".
    const int faceItems[][2] = {{0, 0}, {1, 1}, {2, 2}, {9, 2}, {-1, 2}};
    for (const auto& c : faceItems) EXPECT_EQ(FaceItemFor(c[0]), c[1]) << c[0];
    EXPECT_EQ(MonitorsItemFor(0), 0);
    EXPECT_EQ(MonitorsItemFor(-3), 1);
}

// The Clock group shows what the clock draws: a value its rule does not take shows the default.
TEST(DialogModes, ClockGroupShowsTakenValuesElseTheDefault) {
    const int32_t cases[][4] = {{0, 100, 0, 0},   {3, 100, 3, 3},   {9, 100, 9, 0},  {30, 30, 0, 0},
                                {29, 100, 0, 0},  {101, 100, 0, 0}, {-1, 100, 0, 0}, {INT32_MAX, 100, 0, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(SizePositionFor(c[0]) * 10000 + PlaceItemFor(c[0]) * 100 + NumeralsItemFor(c[0]),
                  c[1] * 10000 + c[2] * 100 + c[3]) << c[0];
    }
    EXPECT_EQ(SizeText(30), u"30 %");
}

TEST(DialogReadBack, ControlsBecomeTheUserFields) {
    ClockSettings settings{};
    settings.colorOfInk = 0x123456;
    settings.colorOfBackground = 0xABCDEF;
    settings.monitors = 7;
    SettingsControls controls{0x80FF00, false, true, true, false, u"DejaVu Serif", u"kept while disabled"};
    ReadBackControls(controls, settings);
    EXPECT_EQ(settings.monitors, 7) << "nothing selected keeps the record's choice";
    EXPECT_EQ(settings.nightStarts, 0) << "a picker with no time keeps the record's";
    controls.monitorsItem = 0;
    controls.faceItem = 2;
    controls.nightStarts = 23 * 60 + 15;
    controls.nightEnds = 6 * 60;
    controls.drift = true;
    ReadBackControls(controls, settings);
    EXPECT_EQ(settings.monitors, 0);
    EXPECT_EQ(settings.face * 100000 + settings.nightStarts * 100 + settings.nightEnds / 60, 2 * 100000 + 1395 * 100 + 6);
    EXPECT_EQ(settings.drift, 1);
    EXPECT_EQ(settings.colorOfMarkers, 0x80FF00u);
    EXPECT_EQ(settings.showSeconds, 2);  // "Full back"
    EXPECT_EQ(settings.showLogo, 1);     // "Date": the edit's text is still taken
    EXPECT_EQ(Text(settings.nameOfFont), u"DejaVu Serif");
    EXPECT_EQ(Text(settings.logoText), u"kept while disabled");
    EXPECT_EQ(settings.colorOfInk, 0x123456u);
    EXPECT_EQ(settings.colorOfBackground, 0xABCDEFu);
}

// The Clock group: nothing selected (or a position outside the range) keeps the record's value;
// each swatch goes to its own colour. On OK an untouched world clock row keeps even a zone the
// system does not know, a changed one takes its choice ("(none)" clears it); every caption is
// taken, cut to the field. Zones show as their items, names compared as Windows does.
TEST(DialogReadBack, ClockGroupAndWorldClocks) {
    ClockSettings settings{};
    settings.place = 12;
    SettingsControls controls{0, false, false, false, false, u"", u""};
    controls.sizePosition = 101;
    ReadBackControls(controls, settings);
    EXPECT_EQ(settings.size * 100 + settings.place, 12);
    controls = {0, false, false, false, false, u"", u"", -1, -1, -1, -1, false, 30, 9, 3, {1, 2, 3, 4}, true};
    ReadBackControls(controls, settings);
    const uint32_t fields[] = {uint32_t(settings.size), uint32_t(settings.place), uint32_t(settings.numerals),
                               settings.colorOfFace, settings.colorOfNumerals, settings.colorOfHands,
                               settings.colorOfGround, uint32_t(settings.glide)};
    EXPECT_EQ(std::vector<uint32_t>(std::begin(fields), std::end(fields)),
              (std::vector<uint32_t>{30, 9, 3, 1, 2, 3, 4, 1}));

    const std::vector<TimeZoneChoice> zones = {{u"Tokyo Standard Time", u"(UTC+09:00) Tokyo"}, {u"UTC", u"(UTC)"}};
    EXPECT_EQ(WorldZoneItemFor(u"utc", zones) * 100 + WorldZoneItemFor(u"Tokyo", zones) * 10 +
                  WorldZoneItemFor(u"", zones),
              200);
    const char16_t* stored[WorldClockCount] = {u"Atlantis Time", u"Atlantis Time", u"UTC", u"UTC"};
    for (int row = 0; row < WorldClockCount; ++row) CopySettingsText(settings.worldZone[row], stored[row]);
    const std::u16string longLabel(300, u'L');
    const WorldClockRow rows[WorldClockCount] = {
        {false, 0, u"Kept"}, {true, 0, u""}, {true, 1, longLabel.c_str()}, {true, -1, u"U"}};
    ReadBackWorldClocks(rows, zones, settings);
    const std::u16string after[WorldClockCount][2] = {{u"Atlantis Time", u"Kept"}, {u"", u""},
        {u"Tokyo Standard Time", longLabel.substr(0, SettingsTextCapacity - 1)}, {u"UTC", u"U"}};
    for (int row = 0; row < WorldClockCount; ++row) {
        EXPECT_EQ(Text(settings.worldZone[row]) + u"|" + Text(settings.worldLabel[row]),
                  after[row][0] + u"|" + after[row][1])
            << row;
    }
}

// A long text is cut to what the record holds and stays terminated; an empty one clears the field.
TEST(DialogReadBack, TextsAreCutToTheFieldAndEmptyTextsClearIt) {
    ClockSettings settings{};
    std::memset(settings.logoText, 0x41, sizeof settings.logoText);
    const std::u16string longText(400, u'x');
    const SettingsControls controls{0, false, false, false, true, longText.c_str(), u""};
    ReadBackControls(controls, settings);
    EXPECT_EQ(Text(settings.nameOfFont), longText.substr(0, SettingsTextCapacity - 1));
    EXPECT_EQ(Text(settings.logoText), u"");
    EXPECT_EQ(settings.showLogo, 2);

    const std::u16string thirty(30, u'y');  // longer than typing allows, still stored whole
    ReadBackControls(SettingsControls{0, false, false, false, true, u"", thirty.c_str()}, settings);
    EXPECT_EQ(Text(settings.logoText), thirty);
}

// Every opening starts from the same sixteen colours, whatever the array held before. Checked by
// red, green and blue so that a swapped byte order shows.
TEST(CustomColours, RefilledWithTheSixteenColoursInSlotOrder) {
    struct Rgb { uint32_t red, green, blue; };
    const Rgb expected[CustomColourCount] = {
        {255, 0, 0},   {255, 128, 0}, {255, 255, 0}, {128, 255, 0}, {0, 255, 0},     {0, 255, 128},
        {0, 255, 255}, {0, 128, 255}, {0, 0, 255},   {128, 0, 255}, {255, 0, 255},   {255, 0, 128},
        {100, 100, 100}, {150, 150, 150}, {175, 175, 175}, {200, 200, 200},
    };
    uint32_t colours[CustomColourCount];
    std::memset(colours, 0x5A, sizeof colours);
    for (int round = 0; round < 2; ++round) {
        FillCustomColours(colours);
        for (int slot = 0; slot < CustomColourCount; ++slot) {
            const uint32_t c = colours[slot];
            EXPECT_EQ(c >> 24, 0u) << slot;
            EXPECT_EQ(c & 0xFF, expected[slot].red) << slot;
            EXPECT_EQ((c >> 8) & 0xFF, expected[slot].green) << slot;
            EXPECT_EQ((c >> 16) & 0xFF, expected[slot].blue) << slot;
        }
        colours[0] = 0x010203;  // a colour the user defined: gone at the next opening
    }
    EXPECT_EQ(colours[CustomColourCount - 1], DefaultColorOfMarkers);
}

TEST(AboutTitle, ProductSpaceVersionSpaceVersionText) {
    char line[512];
    EXPECT_EQ(BuildAboutTitle("Tarnwick", "4.02", line, sizeof line), 21u);
    EXPECT_STREQ(line, "Tarnwick version 4.02");
    BuildAboutTitle("", "", line, sizeof line);
    EXPECT_STREQ(line, " version ");
}

TEST(AboutTitle, CutToTheBufferAndAlwaysTerminated) {
    char line[12];
    std::memset(line, '#', sizeof line);
    EXPECT_EQ(BuildAboutTitle("Tarnwick", "4.02", line, sizeof line), 11u);
    EXPECT_STREQ(line, "Tarnwick ve");
    const std::string huge(2000, 'n');
    char big[512];
    EXPECT_EQ(BuildAboutTitle(huge, "4.02", big, sizeof big), 511u);
    EXPECT_EQ(big[511], '\0');
    char none[1] = {'#'};
    EXPECT_EQ(BuildAboutTitle("Tarnwick", "4.02", none, 0), 0u);
    EXPECT_EQ(none[0], '#');
    EXPECT_EQ(BuildAboutTitle("Tarnwick", "4.02", none, 1), 0u);
    EXPECT_EQ(none[0], '\0');
}

TEST(FontChooserRules, OnlyTheTrueTypeBitCounts) {
    EXPECT_FALSE(IsTrueTypeFamily(0));  // vector
    EXPECT_FALSE(IsTrueTypeFamily(1));  // raster
    EXPECT_FALSE(IsTrueTypeFamily(2 | 1));
    EXPECT_TRUE(IsTrueTypeFamily(4));
    EXPECT_TRUE(IsTrueTypeFamily(4 | 2));
}

// Found item, else the first; nothing at all in an empty list.
TEST(FontChooserRules, InitialSelection) {
    EXPECT_EQ(InitialFontSelection(3, 10), 3);
    EXPECT_EQ(InitialFontSelection(-1, 10), 0);
    EXPECT_EQ(InitialFontSelection(10, 10), 0);
    EXPECT_EQ(InitialFontSelection(-1, 0), -1);
    EXPECT_EQ(InitialFontSelection(0, 0), -1);
}

TEST(FontChooserRules, PreviewColoursComeFromTheOwnerOnlyWhenItNamesAControl) {
    EXPECT_EQ(PreviewColour(0, 0x123456, PreviewDefaultBackground), 0x00FFFFFFu);
    EXPECT_EQ(PreviewColour(0, 0x123456, PreviewDefaultText), 0x00000000u);
    EXPECT_EQ(PreviewColour(1043, 0x123456, PreviewDefaultBackground), 0x123456u);
    EXPECT_EQ(PreviewColour(1043, 0, PreviewDefaultBackground), 0u);  // not a number: black
}
