// tarnwick-frame: renders one clock frame exactly as the saver does and writes it as a PNG.
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

#include "tools/offscreen_canvas_win32.h"
#include "render/render_clock_win32.h"
#include "settings/clock_settings.h"

namespace {

constexpr int ExitBadUsage = 2;
constexpr int ExitFailed = 1;
constexpr int32_t MaxSide = 8192;

const wchar_t Usage[] =
    L"Usage: tarnwick-frame [options]\n"
    L"Renders one frame of the clock as the saver draws it and writes it as a PNG.\n"
    L"  --size WxH          canvas size, each side 1 to 8192 (default 1024x768)\n"
    L"  --time \"YYYY-MM-DD HH:MM:SS\"  the local time to draw (default: now)\n"
    L"  --seconds off|normal|fullback|N  the seconds hand (default normal)\n"
    L"  --logo off|date|text|N  the logo line (default text)\n"
    L"  --text TEXT         the logo text, at most 259 characters (default Brevant)\n"
    L"  --font NAME         the numerals' font (default Palatino Linotype)\n"
    L"  --color 0xBBGGRR    the marker colour (default 0xC8C8C8)\n"
    L"  --preview           draw as the preview does (no banner); default full-screen\n"
    L"  --out FILE.png      where to write the picture (default tarnwick-frame.png)\n"
    L"  --help              show this text\n";

struct FrameOptions {
    int32_t width = 1024;
    int32_t height = 768;
    SYSTEMTIME time{};
    ClockSettings settings{};
    bool fullScreen = true;
    std::wstring out = L"tarnwick-frame.png";
    bool help = false;
};

// The one-line complaint about an option, and the exit code that goes with it.
int BadOption(const wchar_t* option, const wchar_t* value, const wchar_t* expected) {
    if (value == nullptr) {
        fwprintf(stderr, L"tarnwick-frame: unknown option '%ls' (try --help)\n", option);
    } else {
        fwprintf(stderr, L"tarnwick-frame: bad value '%ls' for %ls: expected %ls\n", value, option, expected);
    }
    return ExitBadUsage;
}

// A whole decimal or 0x-hex number within [low, high].
bool ParseNumber(const wchar_t* text, long long low, long long high, long long& value) {
    if (text == nullptr || *text == L'\0') return false;
    wchar_t* end = nullptr;
    errno = 0;
    value = std::wcstoll(text, &end, 0);
    return errno == 0 && *end == L'\0' && value >= low && value <= high;
}

bool ParseSize(const wchar_t* text, int32_t& width, int32_t& height) {
    int w = 0, h = 0, consumed = 0;
    if (swscanf(text, L"%d%*[xX]%d%n", &w, &h, &consumed) != 2 || text[consumed] != L'\0') return false;
    if (w < 1 || h < 1 || w > MaxSide || h > MaxSide) return false;
    width = w;
    height = h;
    return true;
}

// A real calendar date and time of day; the day of the week is worked out from it.
bool ParseTime(const wchar_t* text, SYSTEMTIME& time) {
    int year, month, day, hour, minute, second, consumed = 0;
    if (swscanf(text, L"%4d-%2d-%2d %2d:%2d:%2d%n", &year, &month, &day, &hour, &minute, &second, &consumed) != 6 ||
        text[consumed] != L'\0') {
        return false;
    }
    if (year < 1601 || year > 30827 || hour > 23 || minute > 59 || second > 59) return false;
    SYSTEMTIME given{};
    given.wYear = static_cast<WORD>(year);
    given.wMonth = static_cast<WORD>(month);
    given.wDay = static_cast<WORD>(day);
    given.wHour = static_cast<WORD>(hour);
    given.wMinute = static_cast<WORD>(minute);
    given.wSecond = static_cast<WORD>(second);
    FILETIME asFileTime;
    if (!SystemTimeToFileTime(&given, &asFileTime)) return false;
    return FileTimeToSystemTime(&asFileTime, &time) != FALSE;
}

// off, on/normal words or any 32-bit number, as the registry could hold it.
bool ParseMode(const wchar_t* text, const wchar_t* off, const wchar_t* one, const wchar_t* two, int32_t& mode) {
    if (text == nullptr) return false;
    const wchar_t* words[] = {off, one, two};
    for (int32_t i = 0; i < 3; ++i) {
        if (_wcsicmp(text, words[i]) == 0) {
            mode = i;
            return true;
        }
    }
    long long value = 0;
    if (!ParseNumber(text, INT32_MIN, INT32_MAX, value)) return false;
    mode = static_cast<int32_t>(value);
    return true;
}

bool CopySettingsText(const wchar_t* text, char16_t (&target)[SettingsTextCapacity]) {
    if (text == nullptr || wcslen(text) >= SettingsTextCapacity) return false;
    size_t i = 0;
    for (; text[i] != L'\0'; ++i) target[i] = static_cast<char16_t>(text[i]);
    target[i] = u'\0';
    return true;
}

// Fills the options from the command line; returns 0, or the exit code after a complaint.
int ParseOptions(int argc, wchar_t** argv, FrameOptions& options) {
    SetDefaultSettings(options.settings);
    GetLocalTime(&options.time);
    for (int i = 1; i < argc; ++i) {
        const std::wstring option = argv[i];
        if (option == L"--help" || option == L"-h" || option == L"/?") {
            options.help = true;
            continue;
        }
        if (option == L"--preview") {
            options.fullScreen = false;
            continue;
        }
        const bool takesValue = option == L"--size" || option == L"--time" || option == L"--seconds" ||
                                option == L"--logo" || option == L"--text" || option == L"--font" ||
                                option == L"--color" || option == L"--out";
        if (!takesValue) return BadOption(argv[i], nullptr, nullptr);
        const wchar_t* name = argv[i];
        if (i + 1 >= argc) {
            fwprintf(stderr, L"tarnwick-frame: missing value for %ls (try --help)\n", name);
            return ExitBadUsage;
        }
        const wchar_t* value = argv[++i];
        long long number = 0;
        if (option == L"--size") {
            if (!ParseSize(value, options.width, options.height)) {
                return BadOption(name, value, L"WxH, each side 1 to 8192");
            }
        } else if (option == L"--time") {
            if (!ParseTime(value, options.time)) return BadOption(name, value, L"\"YYYY-MM-DD HH:MM:SS\"");
        } else if (option == L"--seconds") {
            if (!ParseMode(value, L"off", L"normal", L"fullback", options.settings.showSeconds)) {
                return BadOption(name, value, L"off, normal, fullback or a number");
            }
        } else if (option == L"--logo") {
            if (!ParseMode(value, L"off", L"date", L"text", options.settings.showLogo)) {
                return BadOption(name, value, L"off, date, text or a number");
            }
        } else if (option == L"--text") {
            if (!CopySettingsText(value, options.settings.logoText)) {
                return BadOption(name, value, L"at most 259 characters");
            }
        } else if (option == L"--font") {
            if (!CopySettingsText(value, options.settings.nameOfFont)) {
                return BadOption(name, value, L"a font name of at most 259 characters");
            }
        } else if (option == L"--color") {
            if (!ParseNumber(value, 0, 0xFFFFFF, number)) return BadOption(name, value, L"0xBBGGRR");
            options.settings.colorOfMarkers = static_cast<uint32_t>(number);
        } else if (option == L"--out") {
            if (*value == L'\0') return BadOption(name, value, L"a file name");
            options.out = value;
        }
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    FrameOptions options;
    if (const int code = ParseOptions(argc, argv, options); code != 0) return code;
    if (options.help) {
        fputws(Usage, stdout);
        return 0;
    }
    GdiplusSession gdiplus;
    if (!gdiplus.Started()) {
        fputws(L"tarnwick-frame: GDI+ did not start\n", stderr);
        return ExitFailed;
    }
    OffscreenCanvas canvas(options.width, options.height);
    if (!canvas.Valid()) {
        fwprintf(stderr, L"tarnwick-frame: no memory for a %dx%d canvas\n", options.width, options.height);
        return ExitFailed;
    }
    RenderClockWith(canvas.Canvas(), options.settings, options.time, options.fullScreen);
    if (!SavePictureAsPng(canvas.ReadFrame(), options.out.c_str())) {
        fwprintf(stderr, L"tarnwick-frame: cannot write '%ls'\n", options.out.c_str());
        return ExitFailed;
    }
    return 0;
}
