// Command-line options of the clock's programs: one table of every option, the settings they
// all take and what each program adds (the frame tools' picture, the Linux programs' window and
// monitors). Platform-free: the words come in as UTF-8, the way both platforms' programs can
// hand them over.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/local_time.h"
#include "settings/clock_settings.h"
#include "settings/time_zones.h"

constexpr int ExitBadUsage = 2;
constexpr int32_t MaxCanvasSide = 8192;

// "YYYY-MM-DD HH:MM:SS" with an optional fraction of a second (".5", ".250"): a real date of the
// years 1601 to 30827 (the span Windows can hold) and a time of day. The day of the week is
// worked out.
bool ParseLocalDateTime(const std::string& text, LocalDateTime& time);

// "HH:MM-HH:MM" on the 24-hour clock: the two night boundaries as minutes of the day.
bool ParseNightHours(const std::string& text, int32_t& starts, int32_t& ends);

// The groups of options a program takes.
namespace option_group {
constexpr unsigned Settings = 1;   // the stored settings' options (settings_table.cpp)
constexpr unsigned HomePage = 2;   // --home-page
constexpr unsigned Frame = 4;      // --size --time --preview --out
constexpr unsigned Window = 8;     // --root --window-id --fullscreen
constexpr unsigned Monitors = 16;  // --monitors
constexpr unsigned Output = 32;    // --output
}  // namespace option_group

// The frame tools' picture.
struct FrameChoices {
    int32_t width = 1024;
    int32_t height = 768;
    bool timeGiven = false;  // otherwise the tool takes the current time
    LocalDateTime time{};
    bool fullScreen = true;  // --preview clears it: no banner, no drift
    std::string out = "tarnwick-frame.png";
};

// Where the Linux programs draw.
struct WindowChoices {
    bool onRoot = false;             // --root
    bool windowIdGiven = false;
    uint32_t windowId = 0;
    bool ownWindowFullScreen = false;  // --fullscreen
    std::string mainOutput;          // --output: the output that shows the clock; empty: the first
};

struct ClockOptions {
    ClockSettings settings{};  // the defaults, then what the options set
    std::string homePage;      // empty: the build's own address
    FrameChoices frame;
    WindowChoices window;
    bool help = false;
};

// Whether the system knows a time zone of that name (IsKnownTimeZone, or a test's own).
using ZoneCheck = bool (*)(const std::u16string& name);

// Reads the words after the program's name; every option may be spelt with one dash or two,
// as X programs are. Returns 0, or ExitBadUsage after writing one line that names the
// offending option into `complaint`.
int ParseClockOptions(const std::vector<std::string>& words, unsigned groups, const char* program,
                      ClockOptions& options, std::string& complaint, ZoneCheck knowsZone);
// The same for a program's main: the complaint goes to standard error.
int ReadClockOptions(const std::vector<std::string>& words, unsigned groups, const char* program,
                     ClockOptions& options, ZoneCheck knowsZone);
// A program's main asks the system about the zones. Inline, so that the platform-free library
// (and its tests) never needs a platform's zones.
inline int ReadClockOptions(const std::vector<std::string>& words, unsigned groups, const char* program,
                            ClockOptions& options) {
    return ReadClockOptions(words, groups, program, options, IsKnownTimeZone);
}

// One help line per option of the groups, in the table's order, then --help.
std::string OptionsUsage(unsigned groups);
// A program's whole help on standard output: what it does, its options, then any closing note.
void PrintUsage(const char* about, unsigned groups, const char* note = "");
