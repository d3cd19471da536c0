// Drives the saver's settings dialog the way a user would, from another process: it owns a window
// of its own, starts "tarnwick.scr /c:HWND" with it, finds the dialogs and their controls by id,
// clicks, types and picks, and checks what they show.
//
//   dialog_driver.exe SCR STEP...      run the steps against the settings dialog of SCR
//   dialog_driver.exe record-url FILE URL   stand-in web browser: appends URL to FILE
//
// Each step is "name" or "name:argument"; the first failing step ends the run with exit code 1.
// Every step and failure is printed, so the calling script shows where a run went wrong.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "resources/resource_ids.h"

namespace {

constexpr DWORD WaitLimitMs = 20000;
constexpr DWORD PollMs = 50;
// The settle time after an action whose effect arrives through the other process's queue.
constexpr DWORD SettleMs = 300;
constexpr UINT MessageTimeoutMs = 5000;

// Control ids of the system's colour dialog.
constexpr int ColourRedEdit = 706;
constexpr int ColourGreenEdit = 707;
constexpr int ColourBlueEdit = 708;
constexpr int ColourAddCustom = 712;
constexpr int ColourDefineCustom = 719;
constexpr int ColourCustomArea = 721;

struct Failure {
    std::string what;
};

[[noreturn]] void Fail(const std::string& what) { throw Failure{what}; }

void Check(bool condition, const std::string& what) {
    if (!condition) Fail(what);
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// ---- the owner window, on a thread of its own so that it answers while the dialog is modal ----

HWND ownerWindow = nullptr;
HANDLE ownerReady = nullptr;

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

DWORD WINAPI OwnerThread(void*);

// Closes the owner window and waits for its thread, so that the process ends with one thread and
// no window left: leaving them to ExitProcess has hung the driver's exit under Wine.
int EndOwner(HANDLE thread, int code) {
    if (ownerWindow != nullptr) PostMessageA(ownerWindow, WM_CLOSE, 0, 0);
    WaitForSingleObject(thread, WaitLimitMs);
    CloseHandle(thread);
    return code;
}

DWORD WINAPI OwnerThread(void*) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = OwnerProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TarnwickDialogDriverOwner";
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    RegisterClassA(&windowClass);
    ownerWindow = CreateWindowA(windowClass.lpszClassName, "Dialog driver", WS_OVERLAPPEDWINDOW, 0, 0,
                                320, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
    SetEvent(ownerReady);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

// ---- finding windows ----

struct DialogQuery {
    HWND owner;
    std::string caption;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM parameter) {
    auto* query = reinterpret_cast<DialogQuery*>(parameter);
    char className[64] = {};
    char caption[256] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, caption, sizeof caption);
    if (std::string(className) == "#32770" && IsWindowVisible(window) &&
        GetWindow(window, GW_OWNER) == query->owner && query->caption == caption) {
        query->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindDialog(HWND owner, const std::string& caption) {
    DialogQuery query{owner, caption, nullptr};
    EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

HWND WaitForDialog(HWND owner, const std::string& caption) {
    for (DWORD waited = 0; waited < WaitLimitMs; waited += PollMs) {
        if (HWND dialog = FindDialog(owner, caption)) {
            Sleep(SettleMs);  // let it finish its first paint
            return dialog;
        }
        Sleep(PollMs);
    }
    Fail("no dialog " + Quoted(caption) + " appeared");
}

void WaitGone(HWND window, const std::string& what) {
    for (DWORD waited = 0; waited < WaitLimitMs; waited += PollMs) {
        if (!IsWindow(window) || !IsWindowVisible(window)) {
            Sleep(SettleMs);
            return;
        }
        Sleep(PollMs);
    }
    Fail(what + " did not close");
}

HWND Control(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    Check(control != nullptr, "no control " + std::to_string(id));
    return control;
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SetLastError(0);
    if (SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, MessageTimeoutMs, &result) == 0 &&
        GetLastError() != 0) {
        Fail("the dialog does not answer message " + std::to_string(message) + " (error " +
             std::to_string(GetLastError()) + ")");
    }
    return static_cast<LRESULT>(result);
}

std::string TextOf(HWND window) {
    char text[1024] = {};
    Send(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

// A click on a button that may open a modal dialog: posted, so that we do not wait for it.
void PostClick(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

void Click(HWND button) {
    Send(button, BM_CLICK, 0, 0);
    Sleep(SettleMs);
}

// A key as the keyboard delivers it: to the window with the focus, through the dialog's loop.
void PostKey(HWND window, UINT key) {
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, 0xC0000001);
    Sleep(SettleMs);
}

HWND FocusOf(HWND dialog) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
    return info.hwndFocus != nullptr ? info.hwndFocus : dialog;
}

void PostMouse(HWND window, UINT message, POINT point) {
    PostMessageA(window, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(point.x, point.y));
}

void ClickAt(HWND window, POINT point, bool twice) {
    PostMouse(window, WM_LBUTTONDOWN, point);
    PostMouse(window, WM_LBUTTONUP, point);
    if (twice) {
        PostMouse(window, WM_LBUTTONDBLCLK, point);
        PostMouse(window, WM_LBUTTONUP, point);
    }
    Sleep(SettleMs);
}

// ---- the screen ----

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> colours;
    COLORREF At(int x, int y) const { return colours[static_cast<size_t>(y) * width + x]; }
};

// What the screen shows in a rectangle of it.
Pixels CaptureScreen(int left, int top, int width, int height) {
    Pixels pixels;
    pixels.width = width;
    pixels.height = height;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, left, top, SRCCOPY);
    GdiFlush();
    const auto* raw = static_cast<const DWORD*>(bits);
    for (int i = 0; i < width * height; ++i) {
        const DWORD p = raw[i];  // 0x00RRGGBB
        pixels.colours.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// What the screen shows inside a window's client area.
Pixels CaptureClient(HWND window) {
    RECT area{};
    GetClientRect(window, &area);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return CaptureScreen(origin.x, origin.y, area.right, area.bottom);
}

bool Near(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

std::string ColourText(COLORREF c) {
    char text[32];
    std::snprintf(text, sizeof text, "(%d,%d,%d)", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

// Saves what the screen shows as a 24-bit BMP, for a person to look at.
void SaveScreen(const std::string& path) {
    const Pixels pixels = CaptureScreen(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    const DWORD rowBytes = (static_cast<DWORD>(pixels.width) * 3 + 3) & ~3u;
    std::vector<BYTE> rows(static_cast<size_t>(rowBytes) * pixels.height);
    for (int y = 0; y < pixels.height; ++y) {
        BYTE* row = &rows[static_cast<size_t>(pixels.height - 1 - y) * rowBytes];  // bottom-up
        for (int x = 0; x < pixels.width; ++x) {
            const COLORREF c = pixels.At(x, y);
            row[3 * x] = GetBValue(c);
            row[3 * x + 1] = GetGValue(c);
            row[3 * x + 2] = GetRValue(c);
        }
    }
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = pixels.width;
    header.biHeight = pixels.height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(rows.size());
    FILE* out = std::fopen(path.c_str(), "wb");
    Check(out != nullptr, "cannot write " + path);
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&header, sizeof header, 1, out);
    std::fwrite(rows.data(), 1, rows.size(), out);
    std::fclose(out);
}

// Screen checks wait for the other process to repaint: the check is retried until it holds or
// the time is up, and then its last failure is reported.
template <typename CheckScreen>
auto Eventually(CheckScreen check) -> decltype(check()) {
    constexpr DWORD ScreenWaitMs = 5000, RetryMs = 200;
    for (DWORD waited = 0;; waited += RetryMs) {
        try {
            return check();
        } catch (const Failure&) {
            if (waited >= ScreenWaitMs) throw;
        }
        Sleep(RetryMs);
    }
}

// ---- the session: the saver process and its dialogs ----

struct Session {
    std::string scrPath;
    PROCESS_INFORMATION process{};
    HWND settings = nullptr;
    HWND chooser = nullptr;
    HWND worldClocks = nullptr;  // while open, the steps that show and act address it
    std::string savedPreview;  // a fingerprint of the chooser's preview, for "changed" checks
};

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos) return parts;
        start = end + 1;
    }
}

int Number(const std::string& text) {
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    Check(!text.empty() && *end == '\0', "not a number: " + Quoted(text));
    return static_cast<int>(value);
}

// "id=text" arguments.
std::pair<int, std::string> IdAndText(const std::string& argument) {
    const size_t equals = argument.find('=');
    Check(equals != std::string::npos, "expected id=text in " + Quoted(argument));
    return {Number(argument.substr(0, equals)), argument.substr(equals + 1)};
}

void Start(Session& session) {
    std::string commandLine = "\"" + session.scrPath + "\" /c:" +
                              std::to_string(static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(ownerWindow)));
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    Check(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                         &session.process) != 0,
          "cannot start " + commandLine);
    session.settings = WaitForDialog(ownerWindow, "Settings of Tarnwick");
}

// The settings dialog ended: the saver process exits on its own, with code 0.
void ExpectEnded(Session& session) {
    WaitGone(session.settings, "the settings dialog");
    Check(WaitForSingleObject(session.process.hProcess, WaitLimitMs) == WAIT_OBJECT_0, "the saver did not exit");
    DWORD code = 1;
    GetExitCodeProcess(session.process.hProcess, &code);
    Check(code == 0, "the saver exited with " + std::to_string(code));
    Check(IsWindowEnabled(ownerWindow), "the owner window is still disabled");
}

// The settings dialog is open, enabled and answering.
void ExpectSettingsLive(Session& session) {
    Check(IsWindow(session.settings) && IsWindowVisible(session.settings), "the settings dialog is gone");
    Check(IsWindowEnabled(session.settings), "the settings dialog is still disabled");
    Send(session.settings, WM_NULL, 0, 0);
}

void ExpectChecked(HWND dialog, int id, bool checked) {
    const LRESULT state = Send(Control(dialog, id), BM_GETCHECK, 0, 0);
    Check((state == BST_CHECKED) == checked,
          "button " + std::to_string(id) + (checked ? " is not checked" : " is checked"));
}

void ExpectText(HWND dialog, int id, const std::string& expected) {
    const std::string shown = TextOf(Control(dialog, id));
    Check(shown == expected, "control " + std::to_string(id) + " shows " + Quoted(shown) + ", not " + Quoted(expected));
}

// Typing into an edit: characters as the keyboard sends them, through the edit's own limits.
void Type(HWND edit, const std::string& text) {
    for (char c : text) PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
    Sleep(SettleMs);
}

void ClearEdit(HWND edit) {
    Send(edit, EM_SETSEL, 0, -1);
    PostMessageA(edit, WM_CHAR, VK_BACK, 1);
    Sleep(SettleMs);
}

// The swatch: the button's inside, within its 3-D edge, is one colour from edge to edge, the
// colour its text holds.
void ExpectSwatch(HWND dialog, int id, COLORREF expected) {
    HWND swatch = Control(dialog, id);
    const std::string text = TextOf(swatch);
    Check(text == std::to_string(expected), "the swatch holds " + Quoted(text) + ", not " + std::to_string(expected));
    const Pixels pixels = CaptureClient(swatch);
    const int edge = 2;
    int wrong = 0;
    COLORREF firstWrong = 0;
    for (int y = edge; y < pixels.height - edge; ++y) {
        for (int x = edge; x < pixels.width - edge; ++x) {
            if (!Near(pixels.At(x, y), expected, 8)) {
                if (wrong++ == 0) firstWrong = pixels.At(x, y);
            }
        }
    }
    // The dotted focus frame may cross the swatch; nothing else may.
    const int inside = (pixels.width - 2 * edge) * (pixels.height - 2 * edge);
    Check(inside > 0 && wrong * 5 < inside,
          "the swatch is not filled with " + ColourText(expected) + ": " + std::to_string(wrong) + " of " +
              std::to_string(inside) + " pixels differ, e.g. " + ColourText(firstWrong));
    // Filled edge to edge, not framed: on each side, one of the outer lines (outside any 3-D edge
    // and focus frame the button draws) carries the colour over its whole length.
    auto lineFilled = [&](int fromX, int fromY, int stepX, int stepY, int length) {
        int wrongOnLine = 0;
        for (int i = 0; i < length; ++i) {
            wrongOnLine += Near(pixels.At(fromX + i * stepX, fromY + i * stepY), expected, 8) ? 0 : 1;
        }
        return wrongOnLine * 10 < length;
    };
    const char* sides[4] = {"top", "bottom", "left", "right"};
    for (int side = 0; side < 4; ++side) {
        bool filled = false;
        for (int offset = 0; offset <= 3 && !filled; ++offset) {
            const int w = pixels.width, h = pixels.height;
            switch (side) {
                case 0: filled = lineFilled(edge, offset, 1, 0, w - 2 * edge); break;
                case 1: filled = lineFilled(edge, h - 1 - offset, 1, 0, w - 2 * edge); break;
                case 2: filled = lineFilled(offset, edge, 0, 1, h - 2 * edge); break;
                default: filled = lineFilled(w - 1 - offset, edge, 0, 1, h - 2 * edge); break;
            }
        }
        Check(filled, std::string("the swatch does not reach its ") + sides[side] + " edge");
    }
}

// The label's text is drawn heavier than the dialog's normal font would draw it: its ink is
// clearly wider than the same text measured in "MS Shell Dlg" 8 of normal weight.
void ExpectBoldLabel(HWND dialog, int id) {
    HWND label = Control(dialog, id);
    const std::string text = TextOf(label);
    Check(!text.empty(), "the label is empty");
    HDC screen = GetDC(nullptr);
    HFONT normal = CreateFontA(-MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                               FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               DEFAULT_PITCH | FF_DONTCARE, "MS Shell Dlg");
    HGDIOBJ previous = SelectObject(screen, normal);
    SIZE extent{};
    GetTextExtentPoint32A(screen, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(screen, previous);
    DeleteObject(normal);
    ReleaseDC(nullptr, screen);
    const Pixels pixels = CaptureClient(label);
    int left = pixels.width, right = -1;
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x) {
            const COLORREF c = pixels.At(x, y);
            if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 300) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    const int inkWidth = right - left + 1;
    std::printf("  %s: ink %d pixels wide, %d in the normal weight\n", Quoted(text).c_str(), inkWidth,
                static_cast<int>(extent.cx));
    Check(right >= 0 && inkWidth * 100 >= extent.cx * 106, "the face name is not bold");
}

// ---- the colour dialog ----

HWND OpenColourDialog(Session& session, int swatchId) {
    PostClick(Control(session.settings, swatchId));
    return WaitForDialog(session.settings, "Color");
}

void SetColourEdits(HWND colours, const std::string& rgb) {
    const std::vector<std::string> parts = Split(rgb, ',');
    Check(parts.size() == 3, "expected R,G,B in " + Quoted(rgb));
    const int ids[3] = {ColourRedEdit, ColourGreenEdit, ColourBlueEdit};
    for (int i = 0; i < 3; ++i) {
        HWND edit = Control(colours, ids[i]);
        Send(edit, EM_SETSEL, 0, -1);
        Type(edit, parts[i]);
    }
}

// A click on one of the sixteen custom colour boxes (1-based slot, two rows of eight).
void ClickCustomSlot(HWND colours, int slot) {
    HWND area = Control(colours, ColourCustomArea);
    RECT box{};
    GetWindowRect(area, &box);
    const int column = (slot - 1) % 8;
    const int row = (slot - 1) / 8;
    POINT point{box.left + (box.right - box.left) * (2 * column + 1) / 16,
                box.top + (box.bottom - box.top) * (2 * row + 1) / 4};
    ScreenToClient(colours, &point);
    ClickAt(colours, point, false);
}

// Closes the colour dialog with one of its buttons; the settings dialog is back.
void FinishColourDialog(Session& session, HWND colours, int button) {
    PostClick(Control(colours, button));
    WaitGone(colours, "the colour dialog");
    ExpectSettingsLive(session);
}

// ---- the font chooser ----

// A list box's (or a drop-down's) item text. Asked in UTF-16: the ANSI form of this message loses
// all but the first character on its way between processes under Wine.
std::string ItemText(HWND list, LRESULT index, UINT getText = LB_GETTEXT) {
    wchar_t text[512] = {};
    DWORD_PTR result = 0;
    SendMessageTimeoutW(list, getText, index, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, MessageTimeoutMs,
                        &result);
    char narrow[1024] = {};
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

std::vector<std::string> ListItems(HWND list, UINT getCount = LB_GETCOUNT, UINT getText = LB_GETTEXT) {
    std::vector<std::string> items;
    const auto count = static_cast<int>(Send(list, getCount, 0, 0));
    for (int i = 0; i < count; ++i) items.push_back(ItemText(list, i, getText));
    return items;
}

std::vector<std::string> ComboItems(HWND list) { return ListItems(list, CB_GETCOUNT, CB_GETLBTEXT); }

std::string SelectedItem(HWND list) {
    const LRESULT index = Send(list, LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? "" : ItemText(list, index);
}

int CALLBACK CollectFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD type, LPARAM parameter) {
    auto* families = reinterpret_cast<std::map<std::string, DWORD>*>(parameter);
    (*families)[font->lfFaceName] |= type;
    return 1;
}

std::map<std::string, DWORD> InstalledFamilies() {
    std::map<std::string, DWORD> families;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesA(screen, nullptr, CollectFamily, reinterpret_cast<LPARAM>(&families));
    ReleaseDC(nullptr, screen);
    return families;
}

// The list holds exactly the installed TrueType families, once each, in the list box's order.
void ExpectTrueTypeList(HWND chooser) {
    const std::vector<std::string> items = ListItems(Control(chooser, IDC_FONT_LIST));
    std::set<std::string> listed(items.begin(), items.end());
    for (size_t i = 1; i < items.size(); ++i) {
        Check(items[i - 1] != items[i], Quoted(items[i]) + " is listed twice");
    }
    Check(listed.size() == items.size(), "a family is listed twice");
    int notTrueType = 0;
    for (const auto& [name, type] : InstalledFamilies()) {
        const bool trueType = (type & TRUETYPE_FONTTYPE) != 0;
        notTrueType += trueType ? 0 : 1;
        Check(trueType == (listed.count(name) == 1),
              Quoted(name) + (trueType ? " (TrueType) is missing" : " (not TrueType) is listed"));
    }
    for (size_t i = 1; i < items.size(); ++i) {
        Check(lstrcmpiA(items[i - 1].c_str(), items[i].c_str()) <= 0,
              "not sorted: " + Quoted(items[i - 1]) + " before " + Quoted(items[i]));
    }
    std::printf("  %zu TrueType families listed, %d other families left out\n", items.size(), notTrueType);
}

// The point of a list item, scrolled into view.
POINT ItemPoint(HWND list, int index) {
    Send(list, LB_SETTOPINDEX, index, 0);
    Sleep(SettleMs);
    const auto top = static_cast<int>(Send(list, LB_GETTOPINDEX, 0, 0));
    const auto height = static_cast<int>(Send(list, LB_GETITEMHEIGHT, 0, 0));
    return POINT{10, (index - top) * height + height / 2};
}

int ItemIndex(HWND list, const std::string& name) {
    const auto index = static_cast<int>(
        Send(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name.c_str())));
    Check(index != LB_ERR, "no family " + Quoted(name) + " in the list");
    return index;
}

// The preview: the sample dark on a light ground, centred, its digits about as tall as a 40-unit
// cell allows. Returns a fingerprint of its pixels.
std::string CheckPreview(HWND chooser, COLORREF ground, COLORREF ink) {
    const Pixels pixels = CaptureClient(Control(chooser, IDC_FONT_PREVIEW));
    int left = pixels.width, right = -1, top = pixels.height, bottom = -1, groundCount = 0, other = 0;
    unsigned long long fingerprint = 1469598103934665603ull;
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x) {
            const COLORREF c = pixels.At(x, y);
            fingerprint = (fingerprint ^ c) * 1099511628211ull;
            if (Near(c, ground, 24)) {
                ++groundCount;
            } else if (Near(c, ink, 100)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            } else {
                ++other;
            }
        }
    }
    const int all = pixels.width * pixels.height;
    Check(groundCount * 10 > all * 7, "the preview's ground is not " + ColourText(ground));
    Check(right >= 0, "the preview shows no sample");
    Check(other * 20 < all, "the preview has colours other than ground and ink");
    const int centreX2 = left + right, centreY2 = top + bottom;
    Check(std::abs(centreX2 - pixels.width) <= 8 && std::abs(centreY2 - pixels.height) <= 8,
          "the sample is not centred: ink spans x " + std::to_string(left) + ".." + std::to_string(right) + ", y " +
              std::to_string(top) + ".." + std::to_string(bottom) + " in " + std::to_string(pixels.width) + "x" +
              std::to_string(pixels.height));
    const int inkHeight = bottom - top + 1;
    Check(inkHeight >= 20 && inkHeight <= 40,
          "the digits are " + std::to_string(inkHeight) + " pixels tall; a 40-unit cell gives 20 to 40");
    Check(right - left + 1 >= 100, "the sample is too narrow for ten digits");
    char description[96];
    std::snprintf(description, sizeof description, "ink %dx%d at (%d,%d) in %dx%d", right - left + 1, inkHeight, left,
                  top, pixels.width, pixels.height);
    return std::to_string(fingerprint) + " " + description;
}

void OpenChooser(Session& session) {
    PostClick(Control(session.settings, IDC_SELECT_FONT));
    session.chooser = WaitForDialog(session.settings, "Font chooser");
}

// Closes a dialog opened over the settings dialog (the font chooser, the world clocks) and
// forgets it; the settings dialog is back.
void CloseNestedWith(Session& session, HWND& nested, const std::string& what, const std::string& how) {
    HWND dialog = nested;
    if (how == "ok") {
        PostClick(Control(dialog, IDOK));
    } else if (how == "cancel") {
        PostClick(Control(dialog, IDCANCEL));
    } else if (how == "esc") {
        PostKey(FocusOf(dialog) == dialog ? GetWindow(dialog, GW_CHILD) : FocusOf(dialog), VK_ESCAPE);
    } else if (how == "close") {
        PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    } else {
        Fail("unknown way to close: " + how);
    }
    WaitGone(dialog, what);
    nested = nullptr;
    ExpectSettingsLive(session);
}

void CloseChooserWith(Session& session, const std::string& how) {
    CloseNestedWith(session, session.chooser, "the font chooser", how);
}

// ---- the About box ----

std::string ResourceString(const std::string& module, int id) {
    HMODULE library = LoadLibraryExA(module.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    Check(library != nullptr, "cannot read the resources of " + module);
    char text[512] = {};
    LoadStringA(library, id, text, sizeof text);
    FreeLibrary(library);
    return text;
}

void About(Session& session, const std::string& how) {
    PostClick(Control(session.settings, IDC_ABOUT));
    HWND about = WaitForDialog(session.settings, "About");
    Check(!IsWindowEnabled(session.settings), "the settings dialog takes input while the About box is open");
    ExpectText(about, IDC_ABOUT_TITLE, "Tarnwick version 4.02");
    const std::string credit = ResourceString(session.scrPath, IDS_CREDIT_LINE);
    const std::string notice = ResourceString(session.scrPath, IDS_NOTICE);
    Check(!credit.empty() && !notice.empty(), "the credit line or the notice is missing from the resources");
    ExpectText(about, IDC_ABOUT_CREDIT, credit);
    ExpectText(about, IDC_ABOUT_NOTICE, notice);
    RECT picture{};
    GetClientRect(Control(about, IDC_ABOUT_PICTURE), &picture);
    Check(picture.right == 203 && picture.bottom == 61,
          "the picture shows " + std::to_string(picture.right) + "x" + std::to_string(picture.bottom) +
              ", not 203x61");
    // Its pixels: the picture's white ground with a dark name on it, not an empty control.
    Eventually([&] {
        const Pixels pixels = CaptureClient(Control(about, IDC_ABOUT_PICTURE));
        int dark = 0;
        for (COLORREF c : pixels.colours) dark += GetRValue(c) + GetGValue(c) + GetBValue(c) < 150 ? 1 : 0;
        Check(Near(pixels.At(pixels.width - 2, 2), RGB(255, 255, 255), 8) && dark > 200, "the picture is not shown");
    });
    if (how == "ok") {
        PostClick(Control(about, IDOK));
    } else if (how == "esc") {
        PostKey(FocusOf(about), VK_ESCAPE);
    } else if (how == "close") {
        PostMessageA(about, WM_SYSCOMMAND, SC_CLOSE, 0);
    } else if (how != "stay") {
        Fail("unknown way to close: " + how);
    }
    if (how == "stay") return;
    WaitGone(about, "the About box");
    ExpectSettingsLive(session);
}

// ---- the Clock group and the world clocks dialog ----

// "ID=argument" names a swatch; a bare argument is the markers swatch's.
std::pair<int, std::string> SwatchAndArgument(const std::string& argument) {
    if (argument.find('=') == std::string::npos) return {IDC_MARKER_SWATCH, argument};
    return IdAndText(argument);
}

// The dialog the showing and acting steps address: the world clocks dialog while it is open.
HWND Shown(const Session& session) { return session.worldClocks != nullptr ? session.worldClocks : session.settings; }

// An item by its number or, when it is not one, by its exact text.
int ComboItem(HWND list, const std::string& item) {
    if (!item.empty() && std::isdigit(static_cast<unsigned char>(item[0]))) return Number(item);
    const std::vector<std::string> items = ComboItems(list);
    const auto found = std::find(items.begin(), items.end(), item);
    Check(found != items.end(), "no item " + Quoted(item));
    return static_cast<int>(found - items.begin());
}

// "(none)" first, then the system's zones (no fewer than a hundred), each display name once.
void ExpectZoneList(HWND list) {
    const std::vector<std::string> items = ComboItems(list);
    Check(!items.empty() && items[0] == "(none)", "the zone list does not start with (none)");
    Check(items.size() > 100 && std::set<std::string>(items.begin(), items.end()).size() == items.size(),
          "the zone list holds " + std::to_string(items.size()) + " items, or one twice");
}

// ---- steps ----

using Step = std::function<void(Session&, const std::string&)>;

const std::map<std::string, Step>& Steps() {
    static const std::map<std::string, Step> steps = {
        // settings dialog: what it shows
        {"checked", [](Session& s, const std::string& a) { ExpectChecked(Shown(s), Number(a), true); }},
        {"unchecked", [](Session& s, const std::string& a) { ExpectChecked(Shown(s), Number(a), false); }},
        {"enabled",
         [](Session& s, const std::string& a) {
             Check(IsWindowEnabled(Control(Shown(s), Number(a))), "control " + a + " is disabled");
         }},
        {"disabled",
         [](Session& s, const std::string& a) {
             Check(!IsWindowEnabled(Control(Shown(s), Number(a))), "control " + a + " is enabled");
         }},
        {"text",
         [](Session& s, const std::string& a) {
             const auto [id, text] = IdAndText(a);
             ExpectText(Shown(s), id, text);
         }},
        {"text-length",
         [](Session& s, const std::string& a) {
             const auto [id, length] = IdAndText(a);
             const std::string shown = TextOf(Control(Shown(s), id));
             Check(shown.size() == static_cast<size_t>(Number(length)),
                   "control " + std::to_string(id) + " shows " + std::to_string(shown.size()) + " characters");
         }},
        {"swatch",
         [](Session& s, const std::string& a) {
             const auto [id, number] = SwatchAndArgument(a);
             const auto colour = static_cast<COLORREF>(std::stoul(number));
             Eventually([&] { ExpectSwatch(s.settings, id, colour); });
         }},
        {"bold-name",
         [](Session& s, const std::string&) { Eventually([&] { ExpectBoldLabel(s.settings, IDC_FONT_NAME); }); }},
        {"focus",
         [](Session& s, const std::string& a) {
             HWND focus = FocusOf(Shown(s));
             Check(GetDlgCtrlID(focus) == Number(a), "the focus is on control " + std::to_string(GetDlgCtrlID(focus)));
         }},
        // settings dialog: acting on it
        {"click", [](Session& s, const std::string& a) { Click(Control(Shown(s), Number(a))); }},
        {"type", [](Session& s, const std::string& a) { Type(Control(s.settings, IDC_LOGO_EDIT), a); }},
        {"select",
         [](Session& s, const std::string& a) {
             // As a user's choice arrives: the list's selection, then its notice to the dialog.
             const auto [id, item] = IdAndText(a);
             HWND list = Control(Shown(s), id);
             Send(list, CB_SETCURSEL, static_cast<WPARAM>(ComboItem(list, item)), 0);
             Send(Shown(s), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
             Sleep(SettleMs);
         }},
        {"item",
         [](Session& s, const std::string& a) {
             const auto [id, item] = IdAndText(a);
             const LRESULT shown = Send(Control(Shown(s), id), CB_GETCURSEL, 0, 0);
             Check(shown == Number(item), "list " + std::to_string(id) + " shows item " + std::to_string(shown));
         }},
        {"clear", [](Session& s, const std::string&) { ClearEdit(Control(s.settings, IDC_LOGO_EDIT)); }},
        {"type-into",
         [](Session& s, const std::string& a) {
             const auto [id, text] = IdAndText(a);
             Type(Control(Shown(s), id), text);
         }},
        {"items",
         [](Session& s, const std::string& a) {
             const auto [id, items] = IdAndText(a);
             Check(ComboItems(Control(Shown(s), id)) == Split(items, '|'),
                   "list " + std::to_string(id) + " holds other items");
         }},
        {"track",
         [](Session& s, const std::string& a) {
             // As a drag of the thumb arrives: the new position, then the trackbar's notice.
             const auto [id, position] = IdAndText(a);
             HWND trackbar = Control(s.settings, id);
             Send(trackbar, TBM_SETPOS, TRUE, Number(position));
             Send(s.settings, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, Number(position)),
                  reinterpret_cast<LPARAM>(trackbar));
             Sleep(SettleMs);
         }},
        {"key",
         [](Session& s, const std::string& a) {
             PostKey(FocusOf(Shown(s)), a == "tab" ? VK_TAB : a == "right" ? VK_RIGHT : a == "left" ? VK_LEFT : VK_DOWN);
         }},
        {"world-open",
         [](Session& s, const std::string&) {
             PostClick(Control(s.settings, IDC_WORLD_CLOCKS));
             s.worldClocks = WaitForDialog(s.settings, "World clocks");
             Check(!IsWindowEnabled(s.settings), "the settings dialog takes input while the world clocks are open");
         }},
        {"world-zones", [](Session& s, const std::string& a) { ExpectZoneList(Control(Shown(s), Number(a))); }},
        {"world-close", [](Session& s, const std::string& a) { CloseNestedWith(s, s.worldClocks, "the world clocks dialog", a); }},
        {"set-text",
         [](Session& s, const std::string& a) {
             // Not a user's action: puts text where the program alone writes, to see it read back.
             const auto [id, text] = IdAndText(a);
             Send(Control(Shown(s), id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
         }},
        {"ok",
         [](Session& s, const std::string&) {
             PostClick(Control(s.settings, IDOK));
             ExpectEnded(s);
         }},
        {"enter",
         [](Session& s, const std::string&) {
             PostKey(FocusOf(s.settings), VK_RETURN);
             ExpectEnded(s);
         }},
        {"cancel",
         [](Session& s, const std::string&) {
             PostClick(Control(s.settings, IDCANCEL));
             ExpectEnded(s);
         }},
        {"esc",
         [](Session& s, const std::string&) {
             PostKey(FocusOf(s.settings), VK_ESCAPE);
             ExpectEnded(s);
         }},
        {"close",
         [](Session& s, const std::string&) {
             PostMessageA(s.settings, WM_SYSCOMMAND, SC_CLOSE, 0);
             ExpectEnded(s);
         }},
        {"home-page",
         [](Session& s, const std::string&) {
             PostClick(Control(s.settings, IDC_HOME_PAGE));
             Sleep(2000);
             ExpectSettingsLive(s);
         }},
        {"live", [](Session& s, const std::string&) { ExpectSettingsLive(s); }},
        {"repaint",
         [](Session& s, const std::string&) {
             RedrawWindow(s.settings, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
             Sleep(SettleMs);
         }},
        {"screenshot", [](Session&, const std::string& a) { SaveScreen(a); }},
        {"sleep", [](Session&, const std::string& a) { Sleep(static_cast<DWORD>(Number(a))); }},
        // the colour dialog
        {"colour",
         [](Session& s, const std::string& a) {
             const auto [id, rgb] = SwatchAndArgument(a);
             HWND colours = OpenColourDialog(s, id);
             SetColourEdits(colours, rgb);
             FinishColourDialog(s, colours, IDOK);
         }},
        {"colour-cancel",
         [](Session& s, const std::string& a) {
             HWND colours = OpenColourDialog(s, IDC_MARKER_SWATCH);
             if (!a.empty()) SetColourEdits(colours, a);
             FinishColourDialog(s, colours, IDCANCEL);
         }},
        {"colour-custom",
         [](Session& s, const std::string& a) {
             HWND colours = OpenColourDialog(s, IDC_MARKER_SWATCH);
             ClickCustomSlot(colours, Number(a));
             FinishColourDialog(s, colours, IDOK);
         }},
        {"colour-define",
         [](Session& s, const std::string& a) {
             // Defines a custom colour in slot 1 of the open dialog, then picks it from there.
             HWND colours = OpenColourDialog(s, IDC_MARKER_SWATCH);
             ClickCustomSlot(colours, 1);
             PostClick(Control(colours, ColourDefineCustom));
             Sleep(SettleMs);
             SetColourEdits(colours, a);
             PostClick(Control(colours, ColourAddCustom));
             Sleep(SettleMs);
             SetColourEdits(colours, "0,0,0");
             ClickCustomSlot(colours, 1);
             FinishColourDialog(s, colours, IDOK);
         }},
        {"colour-screenshot",
         [](Session& s, const std::string& a) {
             HWND colours = OpenColourDialog(s, IDC_MARKER_SWATCH);
             SaveScreen(a);
             FinishColourDialog(s, colours, IDCANCEL);
         }},
        // the font chooser
        {"font-open",
         [](Session& s, const std::string&) {
             OpenChooser(s);
             Check(!IsWindowEnabled(s.settings), "the settings dialog takes input while the chooser is open");
         }},
        {"font-list", [](Session& s, const std::string&) { ExpectTrueTypeList(s.chooser); }},
        {"font-selected",
         [](Session& s, const std::string& a) {
             const std::string selected = SelectedItem(Control(s.chooser, IDC_FONT_LIST));
             Check(selected == a, "the chooser selects " + Quoted(selected) + ", not " + Quoted(a));
         }},
        {"font-selected-first",
         [](Session& s, const std::string&) {
             HWND list = Control(s.chooser, IDC_FONT_LIST);
             Check(Send(list, LB_GETCURSEL, 0, 0) == 0, "the first family is not selected");
         }},
        {"font-preview",
         [](Session& s, const std::string& a) {
             s.savedPreview = Eventually([&] {
                 const std::string fingerprint = CheckPreview(s.chooser, RGB(255, 255, 255), RGB(0, 0, 0));
                 if (a == "changed") Check(fingerprint != s.savedPreview, "the preview did not change");
                 if (a == "same") Check(fingerprint == s.savedPreview, "the preview changed");
                 return fingerprint;
             });
             std::printf("  preview of %s: %s\n", Quoted(SelectedItem(Control(s.chooser, IDC_FONT_LIST))).c_str(),
                         s.savedPreview.substr(s.savedPreview.find(' ') + 1).c_str());
         }},
        {"font-click",
         [](Session& s, const std::string& a) {
             HWND list = Control(s.chooser, IDC_FONT_LIST);
             ClickAt(list, ItemPoint(list, ItemIndex(list, a)), false);
         }},
        {"font-key",
         [](Session& s, const std::string& a) {
             HWND list = Control(s.chooser, IDC_FONT_LIST);
             PostKey(list, a == "down" ? VK_DOWN : a == "up" ? VK_UP : a == "end" ? VK_END : VK_HOME);
         }},
        {"font-dblclick",
         [](Session& s, const std::string& a) {
             HWND list = Control(s.chooser, IDC_FONT_LIST);
             HWND chooser = s.chooser;
             ClickAt(list, ItemPoint(list, ItemIndex(list, a)), true);
             WaitGone(chooser, "the font chooser");
             s.chooser = nullptr;
             ExpectSettingsLive(s);
         }},
        {"font-close", [](Session& s, const std::string& a) { CloseChooserWith(s, a); }},
        {"font-ok-writes-selection",
         [](Session& s, const std::string&) {
             const std::string selected = SelectedItem(Control(s.chooser, IDC_FONT_LIST));
             Check(!selected.empty(), "nothing is selected");
             CloseChooserWith(s, "ok");
             ExpectText(s.settings, IDC_FONT_NAME, selected);
         }},
        // the About box
        {"about", [](Session& s, const std::string& a) { About(s, a); }},
    };
    return steps;
}

int RecordUrl(const char* file, const char* url) {
    FILE* out = std::fopen(file, "a");
    if (out == nullptr) return 1;
    std::fprintf(out, "%s\n", url);
    std::fclose(out);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "record-url") return RecordUrl(argv[2], argv[3]);
    if (argc < 2) {
        std::fprintf(stderr, "usage: dialog_driver SCR STEP...\n");
        return 2;
    }
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    ownerReady = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE owner = CreateThread(nullptr, 0, OwnerThread, nullptr, 0, nullptr);
    WaitForSingleObject(ownerReady, WaitLimitMs);
    Session session;
    session.scrPath = argv[1];
    try {
        std::printf("start %s /c:HWND\n", argv[1]);
        Start(session);
        for (int i = 2; i < argc; ++i) {
            const std::string step = argv[i];
            const size_t colon = step.find(':');
            const std::string name = step.substr(0, colon);
            const std::string argument = colon == std::string::npos ? "" : step.substr(colon + 1);
            std::printf("step %s\n", step.c_str());
            const auto found = Steps().find(name);
            Check(found != Steps().end(), "unknown step " + Quoted(name));
            found->second(session, argument);
        }
    } catch (const Failure& failure) {
        std::printf("FAIL: %s\n", failure.what.c_str());
        if (session.process.hProcess != nullptr) TerminateProcess(session.process.hProcess, 3);
        return EndOwner(owner, 1);
    }
    // A run that leaves the dialog open (to look at it) ends the saver here.
    if (WaitForSingleObject(session.process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(session.process.hProcess, 3);
    std::printf("PASS\n");
    return EndOwner(owner, 0);
}
