#include "settings/clock_options.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/utf8_text.h"

namespace {

// Sets what the option sets from its value (empty for a flag); null when the value is taken,
// otherwise what was expected instead.
using ApplyOption = const char* (*)(const std::string& value, ClockOptions& options);

struct OptionRow {
    const char* name;
    unsigned group;
    const char* value;  // how the help names the value; null for a flag
    ApplyOption apply;
    const char* help;
};

// A whole decimal or 0x-hex number within [low, high].
bool ParseNumber(const std::string& text, long long low, long long high, long long& value) {
    if (text.empty() || text[0] == ' ') return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(text.c_str(), &end, 0);
    return errno == 0 && *end == '\0' && value >= low && value <= high;
}

bool SameWordIgnoringCase(const std::string& text, const char* word) {
    if (text.size() != std::strlen(word)) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != word[i]) return false;
    }
    return true;
}

// A named mode (the words stand for 0, 1, 2…) or any 32-bit number, as a stored setting could
// hold it.
template <size_t Count>
bool ParseMode(const std::string& text, const char* const (&words)[Count], int32_t& mode) {
    for (size_t i = 0; i < Count; ++i) {
        if (SameWordIgnoringCase(text, words[i])) {
            mode = static_cast<int32_t>(i);
            return true;
        }
    }
    long long value = 0;
    if (!ParseNumber(text, INT32_MIN, INT32_MAX, value)) return false;
    mode = static_cast<int32_t>(value);
    return true;
}

bool ParseSize(const std::string& text, int32_t& width, int32_t& height) {
    int w = 0, h = 0, consumed = 0;
    if (std::sscanf(text.c_str(), "%d%*[xX]%d%n", &w, &h, &consumed) != 2 ||
        static_cast<size_t>(consumed) != text.size()) {
        return false;
    }
    if (w < 1 || h < 1 || w > MaxCanvasSide || h > MaxCanvasSide) return false;
    width = w;
    height = h;
    return true;
}

// "#RRGGBB", as X programs name colours, or a COLORREF number 0xBBGGRR, as the registry holds it.
bool ParseColor(const std::string& text, uint32_t& colorRef) {
    long long value = 0;
    if (text.size() == 7 && text[0] == '#') {
        if (!ParseNumber("0x" + text.substr(1), 0, 0xFFFFFF, value)) return false;
        const auto rgb = static_cast<uint32_t>(value);
        colorRef = ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
        return true;
    }
    if (!ParseNumber(text, 0, 0xFFFFFF, value)) return false;
    colorRef = static_cast<uint32_t>(value);
    return true;
}

bool ParseSettingsText(const std::string& text, char16_t (&field)[SettingsTextCapacity]) {
    std::u16string wide;
    if (!Utf16Of(text, wide) || wide.size() >= static_cast<size_t>(SettingsTextCapacity)) return false;
    CopySettingsText(field, wide.c_str());
    return true;
}

// "HH:MM-HH:MM" on the 24-hour clock: the two night boundaries as minutes of the day.
bool ParseNightHours(const std::string& text, int32_t& starts, int32_t& ends) {
    constexpr char Pattern[] = "99:99-99:99";
    if (text.size() != sizeof Pattern - 1) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool digit = std::isdigit(static_cast<unsigned char>(text[i])) != 0;
        if (Pattern[i] == '9' ? !digit : text[i] != Pattern[i]) return false;
    }
    const auto number = [&](size_t at) { return (text[at] - '0') * 10 + (text[at + 1] - '0'); };
    if (number(0) > 23 || number(6) > 23 || number(3) > 59 || number(9) > 59) return false;
    starts = number(0) * 60 + number(3);
    ends = number(6) * 60 + number(9);
    return true;
}

constexpr const char* Taken = nullptr;
const char* Expect(bool taken, const char* expected) { return taken ? Taken : expected; }

constexpr const char* SecondsWords[] = {"off", "normal", "fullback"};
constexpr const char* LogoWords[] = {"off", "date", "text"};
constexpr const char* MonitorsWords[] = {"main", "all"};
constexpr const char* FaceWords[] = {"light", "dark", "night"};

namespace g = option_group;

// Every option of every program, in the order the help lists them.
const OptionRow Options[] = {
    {"size", g::Frame, "WxH",
     [](const std::string& v, ClockOptions& o) {
         return Expect(ParseSize(v, o.frame.width, o.frame.height), "WxH, each side 1 to 8192");
     },
     "canvas size, each side 1 to 8192 (default 1024x768)"},
    {"time", g::Frame, "\"YYYY-MM-DD HH:MM:SS\"",
     [](const std::string& v, ClockOptions& o) {
         o.frame.timeGiven = ParseLocalDateTime(v, o.frame.time);
         return Expect(o.frame.timeGiven, "\"YYYY-MM-DD HH:MM:SS\"");
     },
     "the local time to draw (default: now)"},
    {"root", g::Window, nullptr,
     [](const std::string&, ClockOptions& o) {
         o.window.onRoot = true;
         return Taken;
     },
     "draw on $XSCREENSAVER_WINDOW, else on the root window"},
    {"window-id", g::Window, "ID",
     [](const std::string& v, ClockOptions& o) {
         long long number = 0;
         o.window.windowIdGiven = ParseNumber(v, 1, UINT32_MAX, number);
         o.window.windowId = static_cast<uint32_t>(number);
         return Expect(o.window.windowIdGiven, "a window number, decimal or 0x-hex");
     },
     "draw in the window ID (decimal or 0x-hex)"},
    {"fullscreen", g::Window, nullptr,
     [](const std::string&, ClockOptions& o) {
         o.window.ownWindowFullScreen = true;
         return Taken;
     },
     "a window of its own over the whole screen"},
    {"monitors", g::Monitors, "main|all",
     [](const std::string& v, ClockOptions& o) {
         return Expect(ParseMode(v, MonitorsWords, o.settings.monitors), "main, all or a number");
     },
     "the clock on the main monitor, the others black, or on every one (default main)"},
    {"output", g::Output, "NAME",
     [](const std::string& v, ClockOptions& o) {
         o.window.mainOutput = v;
         return Expect(!v.empty(), "an output name");
     },
     "the output that is the main monitor (default: the first one)"},
    {"seconds", g::Settings, "off|normal|fullback|N",
     [](const std::string& v, ClockOptions& o) {
         return Expect(ParseMode(v, SecondsWords, o.settings.showSeconds), "off, normal, fullback or a number");
     },
     "the seconds hand (default normal)"},
    {"logo", g::Settings, "off|date|text|N",
     [](const std::string& v, ClockOptions& o) {
         return Expect(ParseMode(v, LogoWords, o.settings.showLogo), "off, date, text or a number");
     },
     "the line below the centre (default text)"},
    {"text", g::Settings, "TEXT",
     [](const std::string& v, ClockOptions& o) {
         return Expect(ParseSettingsText(v, o.settings.logoText), "at most 259 characters");
     },
     "the logo text, at most 259 characters (default Brevant)"},
    {"font", g::Settings, "FAMILY",
     [](const std::string& v, ClockOptions& o) {
         return Expect(ParseSettingsText(v, o.settings.nameOfFont), "a font name of at most 259 characters");
     },
     "the numerals' and logo's font (default Palatino Linotype)"},
    {"color", g::Settings, "#RRGGBB",
     [](const std::string& v, ClockOptions& o) {
         return Expect(ParseColor(v, o.settings.colorOfMarkers), "#RRGGBB or 0xBBGGRR");
     },
     "the marker colour, or 0xBBGGRR as stored (default #C8C8C8)"},
    {"face", g::Settings, "light|dark|night",
     [](const std::string& v, ClockOptions& o) {
         return Expect(ParseMode(v, FaceWords, o.settings.face), "light, dark, night or a number");
     },
     "the face: light, dark, or dark in the night hours (default light)"},
    {"night", g::Settings, "HH:MM-HH:MM",
     [](const std::string& v, ClockOptions& o) {
         return Expect(ParseNightHours(v, o.settings.nightStarts, o.settings.nightEnds), "HH:MM-HH:MM, 24-hour clock");
     },
     "the night hours of --face night (default 22:00-07:00)"},
    {"drift", g::Settings, nullptr,
     [](const std::string&, ClockOptions& o) {
         o.settings.drift = 1;
         return Taken;
     },
     "move the clock a little every minute, against burn-in"},
    {"preview", g::Frame, nullptr,
     [](const std::string&, ClockOptions& o) {
         o.frame.fullScreen = false;
         return Taken;
     },
     "draw as the preview does (no banner, no drift); default full-screen"},
    {"out", g::Frame, "FILE.png",
     [](const std::string& v, ClockOptions& o) {
         o.frame.out = v;
         return Expect(!v.empty(), "a file name");
     },
     "where to write the picture (default tarnwick-frame.png)"},
    {"home-page", g::HomePage, "URL",
     [](const std::string& v, ClockOptions& o) {
         o.homePage = v;
         return Expect(!v.empty(), "an address");
     },
     "the address shown in minute 7 of every hour"},
};

const OptionRow* FindOption(const std::string& word, unsigned groups) {
    size_t dashes = 0;
    while (dashes < 2 && dashes < word.size() && word[dashes] == '-') ++dashes;
    if (dashes == 0) return nullptr;
    const std::string name = word.substr(dashes);
    for (const OptionRow& row : Options) {
        if ((row.group & groups) != 0 && name == row.name) return &row;
    }
    return nullptr;
}

void AddUsageLine(std::string& usage, const std::string& words, const char* help) {
    // Help texts start in column 24, or two spaces after a longer name.
    constexpr size_t HelpColumn = 24;
    std::string line = "  " + words;
    line.append(line.size() + 2 <= HelpColumn ? HelpColumn - line.size() : 2, ' ');
    usage += line + help + "\n";
}

bool IsLeapYear(int32_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int32_t DaysInMonth(int32_t year, int32_t month) {
    static constexpr int32_t Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : Days[month - 1];
}

// Sakamoto's rule over the proleptic Gregorian calendar: 0 is Sunday.
int32_t DayOfWeek(int32_t year, int32_t month, int32_t day) {
    static constexpr int32_t Offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3) year -= 1;
    return (year + year / 4 - year / 100 + year / 400 + Offsets[month - 1] + day) % 7;
}

}  // namespace

bool ParseLocalDateTime(const std::string& text, LocalDateTime& time) {
    int year, month, day, hour, minute, second, consumed = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%n", &year, &month, &day, &hour, &minute, &second,
                    &consumed) != 6 ||
        static_cast<size_t>(consumed) != text.size()) {
        return false;
    }
    if (year < 1601 || year > 30827 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) {
        return false;
    }
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) return false;
    time = {year, month, day, DayOfWeek(year, month, day), hour, minute, second};
    return true;
}

int ParseClockOptions(const std::vector<std::string>& words, unsigned groups, const char* program,
                      ClockOptions& options, std::string& complaint) {
    SetDefaultSettings(options.settings);
    const auto complain = [&](const std::string& text) {
        complaint = std::string(program) + ": " + text + "\n";
        return ExitBadUsage;
    };
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word == "--help" || word == "-help" || word == "-h" || word == "/?") {
            options.help = true;
            continue;
        }
        const OptionRow* row = FindOption(word, groups);
        if (row == nullptr) return complain("unknown option '" + word + "' (try --help)");
        if (row->value == nullptr) {
            row->apply("", options);
            continue;
        }
        if (i + 1 >= words.size()) return complain("missing value for " + word + " (try --help)");
        const std::string& value = words[++i];
        if (const char* expected = row->apply(value, options)) {
            return complain("bad value '" + value + "' for " + word + ": expected " + expected);
        }
    }
    return 0;
}

int ReadClockOptions(const std::vector<std::string>& words, unsigned groups, const char* program,
                     ClockOptions& options) {
    std::string complaint;
    const int code = ParseClockOptions(words, groups, program, options, complaint);
    if (code != 0) std::fputs(complaint.c_str(), stderr);
    return code;
}

std::string OptionsUsage(unsigned groups) {
    std::string usage;
    for (const OptionRow& row : Options) {
        if ((row.group & groups) == 0) continue;
        AddUsageLine(usage, std::string("--") + row.name + (row.value != nullptr ? std::string(" ") + row.value : ""),
                     row.help);
    }
    AddUsageLine(usage, "--help", "show this text");
    return usage;
}

void PrintUsage(const char* about, unsigned groups, const char* note) {
    std::fputs(about, stdout);
    std::fputs(OptionsUsage(groups).c_str(), stdout);
    std::fputs(note, stdout);
}
