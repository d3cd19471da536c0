// Command-line options of the clock's programs: the settings they all take and what each
// program adds (the frame tools' canvas and time, the X11 saver's window). Platform-free: the
// words come in as UTF-8, the way both platforms' programs can hand them over.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "settings/clock_settings.h"

constexpr int ExitBadUsage = 2;

// The help lines of the settings options, shared by every program that takes them.
constexpr char SettingsOptionsUsage[] =
    "  --seconds off|normal|fullback|N  the seconds hand (default normal)\n"
    "  --logo off|date|text|N  the line below the centre (default text)\n"
    "  --text TEXT           the logo text, at most 259 characters (default Brevant)\n"
    "  --font FAMILY         the numerals' and logo's font (default Palatino Linotype)\n"
    "  --color #RRGGBB       the marker colour, or 0xBBGGRR as stored (default #C8C8C8)\n";
constexpr int32_t MaxCanvasSide = 8192;

// A local date and time of day as a calendar shows it; dayOfWeek 0 is Sunday.
struct LocalDateTime {
    int32_t year;
    int32_t month;
    int32_t day;
    int32_t dayOfWeek;
    int32_t hour;
    int32_t minute;
    int32_t second;
};

// "YYYY-MM-DD HH:MM:SS": a real date of the years 1601 to 30827 (the span Windows can hold)
// and a time of day. The day of the week is worked out.
bool ParseLocalDateTime(const std::string& text, LocalDateTime& time);

// The groups of options a program takes.
namespace option_group {
constexpr unsigned Settings = 1;  // --seconds --logo --text --font --color
constexpr unsigned HomePage = 2;  // --home-page
constexpr unsigned Frame = 4;     // --size --time --preview --out
constexpr unsigned Window = 8;    // --root --window-id --fullscreen
}  // namespace option_group

struct ClockOptions {
    ClockSettings settings{};  // the defaults, then what the options set
    std::string homePage;      // empty: the build's own address
    int32_t width = 1024;
    int32_t height = 768;
    bool timeGiven = false;    // otherwise the program takes the current time
    LocalDateTime time{};
    bool fullScreen = true;    // --preview clears it: no banner
    std::string out = "tarnwick-frame.png";
    bool root = false;
    bool windowIdGiven = false;
    uint32_t windowId = 0;
    bool ownFullscreen = false;
    bool help = false;
};

// Reads the words after the program's name; every option may be spelt with one dash or two,
// as X programs are. Returns 0, or ExitBadUsage after writing one line that names the
// offending option into `complaint`.
int ParseClockOptions(const std::vector<std::string>& words, unsigned groups, const char* program,
                      ClockOptions& options, std::string& complaint);
// The same for a program's main: the complaint goes to standard error.
int ReadClockOptions(const std::vector<std::string>& words, unsigned groups, const char* program,
                     ClockOptions& options);
