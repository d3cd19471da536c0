#include "settings/clock_options.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/utf8_text.h"
#include "settings/settings_table.h"

namespace {

// Sets what the option sets from its value (empty for a flag); null when the value is taken,
// otherwise what was expected instead.
using ApplyOption = const char* (*)(const std::string& value, ClockOptions& options);

// An option of the programs themselves; the settings' options are rows of the settings table.
struct OptionRow {
    const char* name;
    unsigned group;
    int order;          // its place in the help, among the settings' options too
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

// A named mode (the null-ended words stand for 0, 1, 2…; there may be none) or a number the
// rule takes, as a stored setting could hold it.
bool ParseMode(const std::string& text, const char* const* words, SettingRange rule, int32_t& mode) {
    for (int32_t i = 0; words != nullptr && words[i] != nullptr; ++i) {
        if (SameWordIgnoringCase(text, words[i])) {
            mode = i;
            return true;
        }
    }
    long long value = 0;
    if (!ParseNumber(text, rule.low, rule.high, value)) return false;
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

constexpr const char* Taken = nullptr;
const char* Expect(bool taken, const char* expected) { return taken ? Taken : expected; }

std::string TrimmedSpaces(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Each "ZONE" or "ZONE=CAPTION" of a comma list into the next free world clock: one --zone per
// clock, or one string for all of them as tarnwick.xml hands it ("Asia/Tokyo=Tokyo, Europe/London").
// Whether the system knows the zones is asked once every option is read.
const char* ApplyZones(const std::string& value, ClockOptions& options) {
    ClockSettings& settings = options.settings;
    size_t start = 0;
    for (;;) {
        const size_t comma = std::min(value.find(',', start), value.size());
        const std::string item = value.substr(start, comma - start);
        const size_t equals = item.find('=');
        const std::string zone = TrimmedSpaces(item.substr(0, equals));
        const std::string caption = equals == std::string::npos ? "" : TrimmedSpaces(item.substr(equals + 1));
        int next = 0;
        while (next < WorldClockCount && settings.worldZone[next][0] != u'\0') ++next;
        if (next == WorldClockCount) return "at most 4 zones in all";
        if (zone.empty() || !ParseSettingsText(zone, settings.worldZone[next]) ||
            !ParseSettingsText(caption, settings.worldLabel[next])) {
            return "ZONE or ZONE=CAPTION (a caption of at most 259 characters), or a comma list of them";
        }
        if (comma == value.size()) return Taken;
        start = comma + 1;
    }
}

// The first zone of the options that the system does not know; null when it knows them all.
const char16_t* UnknownZone(const ClockSettings& settings, ZoneCheck knowsZone) {
    for (const auto& zone : settings.worldZone) {
        if (zone[0] != u'\0' && !knowsZone(zone)) return zone;
    }
    return nullptr;
}

namespace g = option_group;

// The programs' own options.
const OptionRow Options[] = {
    {"size", g::Frame, 10, "WxH",
     [](const std::string& v, ClockOptions& o) {
         return Expect(ParseSize(v, o.frame.width, o.frame.height), "WxH, each side 1 to 8192");
     },
     "canvas size, each side 1 to 8192 (default 1024x768)"},
    {"time", g::Frame, 20, "\"YYYY-MM-DD HH:MM:SS\"",
     [](const std::string& v, ClockOptions& o) {
         o.frame.timeGiven = ParseLocalDateTime(v, o.frame.time);
         return Expect(o.frame.timeGiven, "\"YYYY-MM-DD HH:MM:SS\"");
     },
     "the local time to draw (default: now)"},
    {"root", g::Window, 30, nullptr,
     [](const std::string&, ClockOptions& o) {
         o.window.onRoot = true;
         return Taken;
     },
     "draw on $XSCREENSAVER_WINDOW, else on the root window"},
    {"window-id", g::Window, 40, "ID",
     [](const std::string& v, ClockOptions& o) {
         long long number = 0;
         o.window.windowIdGiven = ParseNumber(v, 1, UINT32_MAX, number);
         o.window.windowId = static_cast<uint32_t>(number);
         return Expect(o.window.windowIdGiven, "a window number, decimal or 0x-hex");
     },
     "draw in the window ID (decimal or 0x-hex)"},
    {"fullscreen", g::Window, 50, nullptr,
     [](const std::string&, ClockOptions& o) {
         o.window.ownWindowFullScreen = true;
         return Taken;
     },
     "a window of its own over the whole screen"},
    {"output", g::Output, 70, "NAME",
     [](const std::string& v, ClockOptions& o) {
         o.window.mainOutput = v;
         return Expect(!v.empty(), "an output name");
     },
     "the output that is the main monitor (default: the first one)"},
    {"zone", g::Settings, 260, "ZONE[=CAPTION]", ApplyZones,
     "a world clock: a zone of the system (Asia/Tokyo; on Windows Tokyo Standard Time) and its caption "
     "(default: its city); up to 4, or a comma list"},
    {"preview", g::Frame, 900, nullptr,
     [](const std::string&, ClockOptions& o) {
         o.frame.fullScreen = false;
         return Taken;
     },
     "draw as the preview does (no banner, no drift); default full-screen"},
    {"out", g::Frame, 910, "FILE.png",
     [](const std::string& v, ClockOptions& o) {
         o.frame.out = v;
         return Expect(!v.empty(), "a file name");
     },
     "where to write the picture (default tarnwick-frame.png)"},
    {"home-page", g::HomePage, 920, "URL",
     [](const std::string& v, ClockOptions& o) {
         o.homePage = v;
         return Expect(!v.empty(), "an address");
     },
     "the address shown in minute 7 of every hour"},
};

// What a settings option expected when its value was refused.
std::string ExpectedOf(const SettingRow& row) {
    const SettingOption& option = row.option;
    if (option.expected != nullptr) return option.expected;
    if (row.Kind() == SettingKind::Colour) return "#RRGGBB or 0xBBGGRR";
    std::string expected;
    for (const char* const* word = option.words; word != nullptr && *word != nullptr; ++word) {
        expected += *word;
        expected += word[1] == nullptr ? " or " : ", ";
    }
    if (row.rule.TakesAny()) return expected + "a number";
    return expected + "a number from " + std::to_string(row.rule.low) + " to " + std::to_string(row.rule.high);
}

// A settings option's value into its fields, read as the row's kind says; whether it was taken.
bool ApplySetting(const SettingRow& row, const std::string& value, ClockSettings& settings) {
    const SettingOption& option = row.option;
    if (option.apply != nullptr) return option.apply(value, settings);
    if (option.value == nullptr) {
        SetStoredNumber(row, settings, 1);
        return true;
    }
    switch (row.Kind()) {
    case SettingKind::Text: return ParseSettingsText(value, TextOf(row, settings));
    case SettingKind::Colour: {
        uint32_t colour = 0;
        if (!ParseColor(value, colour)) return false;
        SetStoredNumber(row, settings, colour);
        return true;
    }
    case SettingKind::Number: {
        int32_t number = 0;
        if (!ParseMode(value, option.words, row.rule, number)) return false;
        SetStoredNumber(row, settings, static_cast<uint32_t>(number));
        return true;
    }
    }
    return false;
}

// An option as the parser and the help see it: a program's own, or a setting's.
struct AnyOption {
    const char* name;
    unsigned group;
    int order;
    const char* value;
    const char* help;
    const OptionRow* program;   // one of these two
    const SettingRow* setting;

    // Empty when the value was taken, otherwise what was expected instead.
    std::string Apply(const std::string& text, ClockOptions& options) const {
        if (program != nullptr) {
            const char* expected = program->apply(text, options);
            return expected != nullptr ? expected : "";
        }
        return ApplySetting(*setting, text, options.settings) ? "" : ExpectedOf(*setting);
    }
};

// Every option of every program, in the order the help lists them.
const std::vector<AnyOption>& AllOptions() {
    static const std::vector<AnyOption> all = [] {
        std::vector<AnyOption> options;
        for (const OptionRow& row : Options) {
            options.push_back({row.name, row.group, row.order, row.value, row.help, &row, nullptr});
        }
        for (const SettingRow& row : SettingsTable()) {
            const SettingOption& o = row.option;
            if (o.name != nullptr) options.push_back({o.name, o.group, o.order, o.value, o.help, nullptr, &row});
        }
        std::stable_sort(options.begin(), options.end(),
                         [](const AnyOption& a, const AnyOption& b) { return a.order < b.order; });
        return options;
    }();
    return all;
}

const AnyOption* FindOption(const std::string& word, unsigned groups) {
    size_t dashes = 0;
    while (dashes < 2 && dashes < word.size() && word[dashes] == '-') ++dashes;
    if (dashes == 0) return nullptr;
    const std::string name = word.substr(dashes);
    for (const AnyOption& option : AllOptions()) {
        if ((option.group & groups) != 0 && name == option.name) return &option;
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

bool ParseLocalDateTime(const std::string& text, LocalDateTime& time) {
    int year, month, day, hour, minute, second, consumed = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%n", &year, &month, &day, &hour, &minute, &second,
                    &consumed) != 6) {
        return false;
    }
    // A fraction of a second, to three digits, for a gliding needle.
    int millisecond = 0;
    if (static_cast<size_t>(consumed) < text.size() && text[consumed] == '.') {
        int digits = 0;
        for (size_t i = consumed + 1; i < text.size() && digits < 3 && std::isdigit(static_cast<unsigned char>(text[i]));
             ++i, ++digits) {
            millisecond = millisecond * 10 + (text[i] - '0');
        }
        if (digits == 0) return false;
        for (int d = digits; d < 3; ++d) millisecond *= 10;
        consumed += 1 + digits;
    }
    if (static_cast<size_t>(consumed) != text.size()) return false;
    if (year < 1601 || year > 30827 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) {
        return false;
    }
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) return false;
    time = {year, month, day, DayOfWeek(year, month, day), hour, minute, second, millisecond};
    return true;
}

int ParseClockOptions(const std::vector<std::string>& words, unsigned groups, const char* program,
                      ClockOptions& options, std::string& complaint, ZoneCheck knowsZone) {
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
        const AnyOption* option = FindOption(word, groups);
        if (option == nullptr) return complain("unknown option '" + word + "' (try --help)");
        if (option->value == nullptr) {
            option->Apply("", options);
            continue;
        }
        if (i + 1 >= words.size()) return complain("missing value for " + word + " (try --help)");
        const std::string& value = words[++i];
        if (const std::string expected = option->Apply(value, options); !expected.empty()) {
            return complain("bad value '" + value + "' for " + word + ": expected " + expected);
        }
    }
    if (const char16_t* zone = UnknownZone(options.settings, knowsZone)) {
        return complain("bad value '" + Utf8Of(zone) + "' for --zone: expected a time zone the system knows");
    }
    return 0;
}

int ReadClockOptions(const std::vector<std::string>& words, unsigned groups, const char* program,
                     ClockOptions& options, ZoneCheck knowsZone) {
    std::string complaint;
    const int code = ParseClockOptions(words, groups, program, options, complaint, knowsZone);
    if (code != 0) std::fputs(complaint.c_str(), stderr);
    return code;
}

std::string OptionsUsage(unsigned groups) {
    std::string usage;
    for (const AnyOption& option : AllOptions()) {
        if ((option.group & groups) == 0) continue;
        AddUsageLine(usage,
                     std::string("--") + option.name + (option.value != nullptr ? std::string(" ") + option.value : ""),
                     option.help);
    }
    AddUsageLine(usage, "--help", "show this text");
    return usage;
}

void PrintUsage(const char* about, unsigned groups, const char* note) {
    std::fputs(about, stdout);
    std::fputs(OptionsUsage(groups).c_str(), stdout);
    std::fputs(note, stdout);
}
