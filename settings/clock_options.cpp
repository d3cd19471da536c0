#include "settings/clock_options.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/utf8_text.h"

namespace {

struct OptionSpec {
    const char* name;
    unsigned group;
    bool takesValue;
};

constexpr OptionSpec Options[] = {
    {"seconds", option_group::Settings, true}, {"logo", option_group::Settings, true},
    {"text", option_group::Settings, true},    {"font", option_group::Settings, true},
    {"color", option_group::Settings, true},   {"home-page", option_group::HomePage, true},
    {"size", option_group::Frame, true},       {"time", option_group::Frame, true},
    {"preview", option_group::Frame, false},   {"out", option_group::Frame, true},
    {"root", option_group::Window, false},     {"window-id", option_group::Window, true},
    {"fullscreen", option_group::Window, false},
};

const OptionSpec* FindOption(const std::string& word, unsigned groups) {
    size_t dashes = 0;
    while (dashes < 2 && dashes < word.size() && word[dashes] == '-') ++dashes;
    if (dashes == 0) return nullptr;
    const std::string name = word.substr(dashes);
    for (const OptionSpec& entry : Options) {
        if ((entry.group & groups) != 0 && name == entry.name) return &entry;
    }
    return nullptr;
}

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

// A named mode (the three words stand for 0, 1 and 2) or any 32-bit number, as a stored
// setting could hold it.
bool ParseMode(const std::string& text, const char* const (&words)[3], int32_t& mode) {
    for (int32_t i = 0; i < 3; ++i) {
        if (SameWordIgnoringCase(text, words[i])) {
            mode = i;
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

// Sets the option's value; null when it is taken, otherwise what was expected instead.
const char* ApplyValue(const std::string& name, const std::string& value, ClockOptions& options) {
    static const char* const SecondsWords[3] = {"off", "normal", "fullback"};
    static const char* const LogoWords[3] = {"off", "date", "text"};
    ClockSettings& settings = options.settings;
    long long number = 0;
    if (name == "seconds") {
        return ParseMode(value, SecondsWords, settings.showSeconds) ? nullptr : "off, normal, fullback or a number";
    }
    if (name == "logo") return ParseMode(value, LogoWords, settings.showLogo) ? nullptr : "off, date, text or a number";
    if (name == "text") return ParseSettingsText(value, settings.logoText) ? nullptr : "at most 259 characters";
    if (name == "font") {
        return ParseSettingsText(value, settings.nameOfFont) ? nullptr : "a font name of at most 259 characters";
    }
    if (name == "color") return ParseColor(value, settings.colorOfMarkers) ? nullptr : "#RRGGBB or 0xBBGGRR";
    if (name == "size") {
        return ParseSize(value, options.width, options.height) ? nullptr : "WxH, each side 1 to 8192";
    }
    if (name == "time") {
        options.timeGiven = ParseLocalDateTime(value, options.time);
        return options.timeGiven ? nullptr : "\"YYYY-MM-DD HH:MM:SS\"";
    }
    if (name == "window-id") {
        if (!ParseNumber(value, 1, UINT32_MAX, number)) return "a window number, decimal or 0x-hex";
        options.windowIdGiven = true;
        options.windowId = static_cast<uint32_t>(number);
        return nullptr;
    }
    // --out and --home-page: any text but an empty one.
    if (value.empty()) return name == "out" ? "a file name" : "an address";
    (name == "out" ? options.out : options.homePage) = value;
    return nullptr;
}

void SetFlag(const std::string& name, ClockOptions& options) {
    if (name == "preview") options.fullScreen = false;
    if (name == "root") options.root = true;
    if (name == "fullscreen") options.ownFullscreen = true;
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
        const OptionSpec* entry = FindOption(word, groups);
        if (entry == nullptr) return complain("unknown option '" + word + "' (try --help)");
        if (!entry->takesValue) {
            SetFlag(entry->name, options);
            continue;
        }
        if (i + 1 >= words.size()) return complain("missing value for " + word + " (try --help)");
        const std::string& value = words[++i];
        if (const char* expected = ApplyValue(entry->name, value, options)) {
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
