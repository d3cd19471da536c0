// The command line the clock's programs share: settings words, values and the one-line complaints.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/utf8_text.h"
#include "settings/clock_options.h"

namespace {

constexpr unsigned All = option_group::Settings | option_group::HomePage | option_group::Frame | option_group::Window |
                         option_group::Monitors | option_group::Output;

// The zones this test's system knows.
bool KnowsZone(const std::u16string& name) { return name == u"Asia/Tokyo" || name == u"Europe/London"; }

int Parse(std::vector<std::string> words, ClockOptions& options, std::string& complaint, unsigned groups = All) {
    return ParseClockOptions(words, groups, "tarnwick", options, complaint, KnowsZone);
}

}  // namespace

TEST(ClockOptions, ValuesBecomeSettings) {
    ClockOptions o;
    std::string complaint;
    ASSERT_EQ(Parse({"-root", "--seconds", "FullBack", "--logo", "7", "--text", "Zeit \xC3\xBC\xF0\x9F\x95\x92",
                     "--font", "DejaVu Serif", "--color", "#C02010", "--window-id", "0x1e00007", "--size", "640x480",
                     "--time", "2024-02-29 23:59:58", "--preview", "--home-page", "https://x.test", "--monitors", "all", "--output", "HDMI-A-1",
                     "--face", "Night", "--night", "23:30-06:15", "--drift"},
                    o, complaint),
              0)
        << complaint;
    EXPECT_TRUE(o.window.onRoot);
    EXPECT_EQ(o.settings.showSeconds, 2);
    EXPECT_EQ(o.settings.showLogo, 7);
    EXPECT_EQ(std::u16string(o.settings.logoText), u"Zeit \u00FC\U0001F552");
    EXPECT_EQ(Utf8Of(o.settings.nameOfFont), "DejaVu Serif");
    EXPECT_EQ(o.settings.colorOfMarkers, 0x001020C0u);  // #RRGGBB turned into a COLORREF
    EXPECT_EQ(o.window.windowId, 0x1e00007u);
    EXPECT_EQ(o.frame.width * 1000 + o.frame.height, 640480);
    EXPECT_EQ(o.frame.time.dayOfWeek, 4);  // a Thursday
    EXPECT_FALSE(o.frame.fullScreen);
    EXPECT_EQ(o.homePage, "https://x.test");
    EXPECT_EQ(o.settings.monitors, 1);
    EXPECT_EQ(o.window.mainOutput, "HDMI-A-1");
    EXPECT_EQ(o.settings.face, 2);
    EXPECT_EQ(o.settings.nightStarts * 10000 + o.settings.nightEnds, 1410 * 10000 + 375);
    EXPECT_EQ(o.settings.drift, 1);

    ClockOptions clock;
    ASSERT_EQ(Parse({"--clock-size", "30", "--place", "Bottom-Left", "--numerals", "four", "--face-color", "#102030",
                     "--numerals-color", "0x0000FF", "--hands-color", "#FF0000", "--ground-color", "#000001", "--glide",
                     "--zone", "Asia/Tokyo=T\xC5\x8Dky\xC5\x8D", "--zone", " Europe/London , Asia/Tokyo = a=b", "-zone",
                     "Europe/London"},
                    clock, complaint),
              0)
        << complaint;
    EXPECT_EQ(clock.settings.size, 30);
    EXPECT_EQ(clock.settings.place, static_cast<int32_t>(ClockPlace::BottomLeft));
    EXPECT_EQ(clock.settings.numerals, static_cast<int32_t>(NumeralStyle::Quarters));
    EXPECT_EQ(clock.settings.colorOfFace, 0x00302010u);
    EXPECT_EQ(clock.settings.colorOfNumerals, 0x000000FFu);
    EXPECT_EQ(clock.settings.colorOfHands, 0x000000FFu);
    EXPECT_EQ(clock.settings.colorOfGround, 0x00010000u);
    EXPECT_EQ(clock.settings.glide, 1);
    std::string clocks;  // filled in order, one per --zone or a comma list of them
    for (int i = 0; i < WorldClockCount; ++i) {
        clocks += Utf8Of(clock.settings.worldZone[i]) + "=" + Utf8Of(clock.settings.worldLabel[i]) + ";";
    }
    EXPECT_EQ(clocks, "Asia/Tokyo=T\xC5\x8Dky\xC5\x8D;Europe/London=;Asia/Tokyo=a=b;Europe/London=;");
    ASSERT_EQ(Parse({"--clock-size", "0x64", "--place", "9", "--numerals", "none"}, clock, complaint), 0) << complaint;
    EXPECT_EQ(clock.settings.size * 100 + clock.settings.place * 10 + clock.settings.numerals, 10093);

    ClockOptions defaults;
    ASSERT_EQ(Parse({"--color", "0xC8C8C8"}, defaults, complaint), 0);
    EXPECT_EQ(defaults.settings.showSeconds, DefaultShowSeconds);
    EXPECT_EQ(std::u16string(defaults.settings.nameOfFont), DefaultNameOfFont);
    EXPECT_EQ(defaults.settings.colorOfMarkers, DefaultColorOfMarkers);
}

TEST(ClockOptions, BadWordsGetOneLineAndExitTwo) {
    const struct {
        std::vector<std::string> words;
        const char* complaint;
    } cases[] = {
        {{"--seconds", "sometimes"}, "tarnwick: bad value 'sometimes' for --seconds: expected off, normal, fullback or a number\n"},
        {{"--color", "#12345G"}, "tarnwick: bad value '#12345G' for --color: expected #RRGGBB or 0xBBGGRR\n"},
        {{"--color", "0x1000000"}, "tarnwick: bad value '0x1000000' for --color: expected #RRGGBB or 0xBBGGRR\n"},
        {{"--text", std::string(260, 'W')}, nullptr},
        {{"--text", "\xC3("}, nullptr},  // not UTF-8
        {{"--time", "2023-02-29 10:00:00"}, nullptr},
        {{"--size", "0x10"}, nullptr},
        {{"--window-id", "0"}, nullptr},
        {{"--monitors", "some"}, nullptr},
        {{"--night", "22:00-24:00"}, "tarnwick: bad value '22:00-24:00' for --night: expected HH:MM-HH:MM, 24-hour clock\n"},
        {{"--night", "7:00-22:00"}, nullptr},
        {{"--night", "22:00-07:0x"}, nullptr},
        {{"--face", "dim"}, nullptr},
        {{"--clock-size", "29"}, "tarnwick: bad value '29' for --clock-size: expected a number from 30 to 100\n"},
        {{"--clock-size", "101"}, nullptr},
        {{"--place", "10"}, "tarnwick: bad value '10' for --place: expected centre, top-left, top, top-right, right, "
                            "bottom-right, bottom, bottom-left, left, wandering or a number from 0 to 9\n"},
        {{"--place", "middle"}, nullptr},
        {{"--numerals", "-1"}, nullptr},
        {{"--numerals", "4"}, "tarnwick: bad value '4' for --numerals: expected arabic, roman, four, none or a number from 0 to 3\n"},
        {{"--hands-color", "#12345"}, "tarnwick: bad value '#12345' for --hands-color: expected #RRGGBB or 0xBBGGRR\n"},
        {{"--zone", "Mars/Olympus=Base"}, "tarnwick: bad value 'Mars/Olympus' for --zone: expected a time zone the system knows\n"},
        {{"--zone", "Asia/Tokyo, Europe/London", "--zone", "Asia/Tokyo,Europe/London", "--zone", "Asia/Tokyo"},
         "tarnwick: bad value 'Asia/Tokyo' for --zone: expected at most 4 zones in all\n"},
        {{"--zone", "Asia/Tokyo=" + std::string(260, 'W')}, nullptr},
        {{"--zone", "Asia/Tokyo=\xC3("}, nullptr},  // not UTF-8
        {{"--zone", "Asia/Tokyo,"}, nullptr},
        {{"--zone", "=Tokyo"}, nullptr},
        {{"--logo"}, "tarnwick: missing value for --logo (try --help)\n"},
        {{"--bogus"}, "tarnwick: unknown option '--bogus' (try --help)\n"},
        {{"plain"}, "tarnwick: unknown option 'plain' (try --help)\n"},
    };
    for (const auto& c : cases) {
        ClockOptions o;
        std::string complaint;
        EXPECT_EQ(Parse(c.words, o, complaint), ExitBadUsage) << c.words[0];
        EXPECT_EQ(std::count(complaint.begin(), complaint.end(), '\n'), 1) << complaint;
        if (c.complaint != nullptr) {
            EXPECT_EQ(complaint, c.complaint);
        }
    }
    // A program takes only its own groups: the saver has no --size, the frame tool no --root.
    ClockOptions o;
    std::string complaint;
    EXPECT_EQ(Parse({"--size", "10x10"}, o, complaint, option_group::Settings | option_group::Window), ExitBadUsage);
    EXPECT_EQ(Parse({"--root"}, o, complaint, option_group::Settings | option_group::Frame), ExitBadUsage);
    EXPECT_EQ(Parse({"--monitors", "all"}, o, complaint, option_group::Settings | option_group::Frame), ExitBadUsage);
}

// The help is made from the table: every option of the groups, each value named, nothing else.
TEST(ClockOptions, UsageListsExactlyTheGroupsOptions) {
    const std::string usage = OptionsUsage(option_group::Settings | option_group::Monitors);
    for (const char* line : {"  --seconds off|normal|fullback|N  the seconds hand", "  --text TEXT           the logo text",
                             "  --monitors main|all   the clock on the main", "  --help                show this text"}) {
        EXPECT_NE(usage.find(line), std::string::npos) << line;
    }
    for (const char* absent : {"--size", "--root", "--output", "--home-page"}) {
        EXPECT_EQ(usage.find(absent), std::string::npos) << absent;
    }
    // The programs' own options and the settings' keep one order, whichever table holds them.
    const std::string all = OptionsUsage(All);
    size_t previous = 0;
    for (const char* option : {"--size", "--fullscreen", "--monitors", "--output", "--seconds", "--logo", "--text",
                               "--font", "--color", "--face ", "--night", "--drift", "--clock-size", "--glide", "--zone",
                               "--preview", "--home-page", "--help"}) {
        const size_t at = all.find(std::string("  ") + option);
        EXPECT_TRUE(at != std::string::npos && (at > previous || at == 0)) << option;
        previous = at;
    }
}
