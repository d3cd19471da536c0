#include "settings/settings_dialog_win32.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <initializer_list>
#include <iterator>

#include "common/gdi_holders_win32.h"
#include "common/utf16_win32.h"
#include "host/win32/host_state_win32.h"
#include "resources/resource_ids.h"
#include "settings/about_box_win32.h"
#include "settings/dialog_logic.h"
#include "settings/font_chooser_win32.h"
#include "settings/registry_store_win32.h"
#include "settings/world_clocks_dialog_win32.h"
#include "tarnwick_config.h"

ClockSettings dialogSettings{};

namespace {

// Typing in the logo edit stops here; a longer stored text is still shown and kept whole.
constexpr WPARAM LogoTypingLimit = 20;
// Heavier than FW_HEAVY: the face name stands out as the heaviest the font offers.
constexpr LONG FaceNameWeight = 1000;

// Every swatch button: the markers' and the clock's face, numerals, hands and ground, in the order
// of SettingsControls::clockColours after the first.
constexpr int SwatchIds[] = {IDC_MARKER_SWATCH, IDC_FACE_SWATCH, IDC_NUMERALS_SWATCH, IDC_HANDS_SWATCH,
                             IDC_GROUND_SWATCH};
static_assert(std::size(SwatchIds) == 1 + ClockColourCount);
// A page of the size trackbar (Page Up, Page Down, a click beside the thumb) and its tick spacing.
constexpr int SizePageStep = 10;

const FontChooserRequest faceNameRequest = {"0123456789", 0, 0, IDC_FONT_NAME};

// Posted to itself on a change of DPI, so that the dialog manager has rescaled the controls and
// given them its own new font before the face name and the swatch are made again.
constexpr UINT DpiSettledMessage = WM_APP + 1;

// The bold font of the face-name label; made at opening, made anew for each DPI, deleted with the
// dialog.
HFONT faceNameFont = nullptr;
// That font as made at opening, and the DPI it was made for: each new DPI scales from these, so
// that moving back and forth between monitors never drifts.
LOGFONTA faceNameAtOpening{};
UINT dpiAtOpening = USER_DEFAULT_SCREEN_DPI;

// A bitmap of the area's size, compatible with the dialog's device context, filled edge to edge
// with the colour. The caller owns it.
HBITMAP MakeSwatch(HWND dialog, COLORREF colour, const RECT& area) {
    gdi::WindowDc dialogDc(dialog);
    gdi::MemoryDc memoryDc = gdi::HoldMemoryDc(CreateCompatibleDC(dialogDc.Get()));
    gdi::Object bitmap = gdi::Hold(CreateCompatibleBitmap(dialogDc.Get(), area.right, area.bottom));
    gdi::Object brush = gdi::Hold(CreateSolidBrush(colour));
    if (memoryDc == nullptr || bitmap == nullptr || brush == nullptr) return nullptr;
    {
        gdi::Selection selection(memoryDc.get(), bitmap.get());
        FillRect(memoryDc.get(), &area, static_cast<HBRUSH>(brush.get()));
    }
    return static_cast<HBITMAP>(bitmap.release());
}

// Hands the bitmap to the button, which keeps it; the image it gives back was an earlier swatch.
void ReplaceButtonImage(HWND dialog, int buttonId, HBITMAP image) {
    gdi::DeleteCounted(reinterpret_cast<HGDIOBJ>(
        SendDlgItemMessageA(dialog, buttonId, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(image))));
}

bool IsChecked(HWND dialog, int buttonId) { return IsDlgButtonChecked(dialog, buttonId) == BST_CHECKED; }

void FillDropDown(HWND dialog, int id, std::initializer_list<const char*> items) {
    SendDlgItemMessageA(dialog, id, CB_RESETCONTENT, 0, 0);
    for (const char* item : items) SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
}

int SelectedItem(HWND dialog, int id) {
    const LRESULT item = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
    return item == CB_ERR ? -1 : static_cast<int>(item);
}

// The time pickers show hours and minutes only; their date part is never read.
void ShowMinuteOfDay(HWND dialog, int id, int32_t minuteOfDay) {
    SendDlgItemMessageA(dialog, id, DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>("HH:mm"));
    SYSTEMTIME time{};
    GetLocalTime(&time);
    time.wHour = static_cast<WORD>(minuteOfDay / 60);
    time.wMinute = static_cast<WORD>(minuteOfDay % 60);
    time.wSecond = 0;
    time.wMilliseconds = 0;
    SendDlgItemMessageA(dialog, id, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

// -1 when the picker holds no time.
int32_t MinuteOfDayIn(HWND dialog, int id) {
    SYSTEMTIME time{};
    if (SendDlgItemMessageA(dialog, id, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) != GDT_VALID) return -1;
    return time.wHour * 60 + time.wMinute;
}

// The night hours matter only for "Dark at night", as the logo text only for "Text:".
void UpdateNightEnabled(HWND dialog) {
    const bool night = SelectedItem(dialog, IDC_FACE) == static_cast<int>(FaceMode::DarkAtNight);
    EnableWindow(GetDlgItem(dialog, IDC_NIGHT_STARTS), night);
    EnableWindow(GetDlgItem(dialog, IDC_NIGHT_ENDS), night);
}

void PaintEverySwatch(HWND dialog) {
    for (int id : SwatchIds) PaintColorSwatch(dialog, id);
}

void ShowSizeText(HWND dialog) {
    const auto position = static_cast<int>(SendDlgItemMessageW(dialog, IDC_CLOCK_SIZE, TBM_GETPOS, 0, 0));
    SetDlgItemTextW(dialog, IDC_CLOCK_SIZE_TEXT, Wide(SizeText(position).c_str()));
}

void SetUpSizeTrackbar(HWND dialog) {
    HWND trackbar = GetDlgItem(dialog, IDC_CLOCK_SIZE);
    SendMessageW(trackbar, TBM_SETRANGE, FALSE, MAKELPARAM(ClockSizeRange.low, ClockSizeRange.high));
    SendMessageW(trackbar, TBM_SETPAGESIZE, 0, SizePageStep);
    SendMessageW(trackbar, TBM_SETTICFREQ, SizePageStep, 0);
}

// The window's DPI where the system tells it per monitor (Windows 10), otherwise the screen's.
UINT WindowDpi(HWND window) {
    using GetDpiForWindowProc = UINT(WINAPI*)(HWND);
    auto getDpi = reinterpret_cast<GetDpiForWindowProc>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    const UINT dpi = getDpi != nullptr ? getDpi(window) : 0;
    if (dpi != 0) return dpi;
    gdi::WindowDc dc(window);
    return static_cast<UINT>(GetDeviceCaps(dc.Get(), LOGPIXELSY));
}

// Gives the face-name label a font made from the description and deletes the one it replaces.
void SetFaceNameFont(HWND dialog, const LOGFONTA& face, BOOL redraw) {
    auto font = static_cast<HFONT>(gdi::Hold(CreateFontIndirectA(&face)).release());
    if (font == nullptr) return;
    SendDlgItemMessageA(dialog, IDC_FONT_NAME, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    gdi::DeleteCounted(faceNameFont);
    faceNameFont = font;
}

void MakeFaceNameBold(HWND dialog) {
    auto dialogFont = reinterpret_cast<HFONT>(SendDlgItemMessageA(dialog, IDC_FONT_NAME, WM_GETFONT, 0, 0));
    LOGFONTA face{};
    if (dialogFont == nullptr || GetObjectA(dialogFont, sizeof face, &face) != sizeof face) {
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof face, &face);
    }
    face.lfWeight = FaceNameWeight;
    faceNameAtOpening = face;
    dpiAtOpening = WindowDpi(dialog);
    SetFaceNameFont(dialog, face, FALSE);
}

// The dialog now shows on a monitor of another DPI: the label gets its bold font for that DPI and
// the swatch the button's new size.
void OnDpiSettled(HWND dialog, UINT dpi) {
    if (dpi == 0 || dpiAtOpening == 0) return;
    LOGFONTA face = faceNameAtOpening;
    face.lfHeight = MulDiv(face.lfHeight, static_cast<int>(dpi), static_cast<int>(dpiAtOpening));
    face.lfWidth = MulDiv(face.lfWidth, static_cast<int>(dpi), static_cast<int>(dpiAtOpening));
    SetFaceNameFont(dialog, face, TRUE);
    PaintEverySwatch(dialog);
}

BOOL OnInitDialog(HWND dialog) {
    FillDropDown(dialog, IDC_FACE, {"Light", "Dark", "Dark at night"});
    FillDropDown(dialog, IDC_MONITORS, {"Main monitor only, others black", "Every monitor"});
    // In ClockPlace's and NumeralStyle's order.
    FillDropDown(dialog, IDC_PLACE, {"Centre", "Top left", "Top", "Top right", "Right", "Bottom right", "Bottom",
                                     "Bottom left", "Left", "Wandering"});
    FillDropDown(dialog, IDC_NUMERALS, {"1 to 12", "I to XII", "12, 3, 6 and 9", "None"});
    SetUpSizeTrackbar(dialog);
    LoadSettings(dialogSettings);
    ShowSettingsInDialog(dialog, dialogSettings);
    MakeFaceNameBold(dialog);
    SendDlgItemMessageA(dialog, IDC_LOGO_EDIT, EM_LIMITTEXT, LogoTypingLimit, 0);
    UpdateLogoTextEnabled(dialog);
    return TRUE;
}

void OnDestroy(HWND dialog) {
    // The last swatches go with the dialog, so that nothing of them outlives the window.
    for (int id : SwatchIds) ReplaceButtonImage(dialog, id, nullptr);
    gdi::DeleteCounted(faceNameFont);
    faceNameFont = nullptr;
}

void OnOk(HWND dialog) {
    char16_t fontName[SettingsTextCapacity] = {};
    char16_t logoText[SettingsTextCapacity] = {};
    GetDlgItemTextW(dialog, IDC_FONT_NAME, Wide(fontName), SettingsTextCapacity);
    GetDlgItemTextW(dialog, IDC_LOGO_EDIT, Wide(logoText), SettingsTextCapacity);
    SettingsControls controls{};
    controls.swatchColour = GetDlgItemInt(dialog, IDC_MARKER_SWATCH, nullptr, FALSE);
    controls.secondsNormal = IsChecked(dialog, IDC_SECONDS_NORMAL);
    controls.secondsFullBack = IsChecked(dialog, IDC_SECONDS_FULLBACK);
    controls.logoDate = IsChecked(dialog, IDC_LOGO_DATE);
    controls.logoText = IsChecked(dialog, IDC_LOGO_TEXT);
    controls.fontName = fontName;
    controls.logoTextValue = logoText;
    controls.faceItem = SelectedItem(dialog, IDC_FACE);
    controls.nightStarts = MinuteOfDayIn(dialog, IDC_NIGHT_STARTS);
    controls.nightEnds = MinuteOfDayIn(dialog, IDC_NIGHT_ENDS);
    controls.monitorsItem = SelectedItem(dialog, IDC_MONITORS);
    controls.drift = IsChecked(dialog, IDC_DRIFT);
    controls.sizePosition = static_cast<int>(SendDlgItemMessageW(dialog, IDC_CLOCK_SIZE, TBM_GETPOS, 0, 0));
    controls.placeItem = SelectedItem(dialog, IDC_PLACE);
    controls.numeralsItem = SelectedItem(dialog, IDC_NUMERALS);
    for (size_t i = 0; i < std::size(controls.clockColours); ++i) {
        controls.clockColours[i] = GetDlgItemInt(dialog, SwatchIds[i + 1], nullptr, FALSE);
    }
    controls.glide = IsChecked(dialog, IDC_GLIDE);
    ReadBackControls(controls, dialogSettings);
    SaveSettings(dialogSettings);
    EndDialog(dialog, IDOK);
}

void OnSetToDefault(HWND dialog) {
    SetDefaultSettings(dialogSettings);
    ShowSettingsInDialog(dialog, dialogSettings);
    UpdateLogoTextEnabled(dialog);
}

void OnPickColour(HWND dialog, int swatchId) {
    uint32_t colours[CustomColourCount];
    FillCustomColours(colours);
    COLORREF customColours[CustomColourCount];
    std::copy(std::begin(colours), std::end(colours), customColours);
    CHOOSECOLORA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = dialog;
    request.lpCustColors = customColours;
    request.Flags = CC_ANYCOLOR;
    if (!ChooseColorA(&request)) return;
    SetDlgItemInt(dialog, swatchId, request.rgbResult, FALSE);
    PaintColorSwatch(dialog, swatchId);
    InvalidateRect(dialog, nullptr, FALSE);
}

void OnHomePage() {
    ShellExecuteA(nullptr, "open", TARNWICK_HOME_PAGE, nullptr, nullptr, SW_SHOWNORMAL);
}

void OnCommand(HWND dialog, int id, int code) {
    const HINSTANCE instance = hostState.instance;
    switch (id) {
        case IDOK: OnOk(dialog); break;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); break;
        case IDC_SELECT_FONT:
            DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_FONT_CHOOSER), dialog, FontChooserDialogProc,
                            reinterpret_cast<LPARAM>(&faceNameRequest));
            break;
        case IDC_ABOUT:
            DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_ABOUT), dialog, AboutDialogProc, 0);
            break;
        case IDC_SET_DEFAULT: OnSetToDefault(dialog); break;
        case IDC_HOME_PAGE: OnHomePage(); break;
        case IDC_LOGO_OFF:
        case IDC_LOGO_DATE:
        case IDC_LOGO_TEXT: UpdateLogoTextEnabled(dialog); break;
        case IDC_MARKER_SWATCH:
        case IDC_FACE_SWATCH:
        case IDC_NUMERALS_SWATCH:
        case IDC_HANDS_SWATCH:
        case IDC_GROUND_SWATCH: OnPickColour(dialog, id); break;
        // The rows go into the dialog's record; only OK stores them.
        case IDC_WORLD_CLOCKS: RunWorldClocksDialog(dialog, dialogSettings); break;
        case IDC_FACE:
            if (code == CBN_SELCHANGE) UpdateNightEnabled(dialog);
            break;
        default: break;
    }
}
}  // namespace

void ShowSettingsInDialog(HWND dialog, ClockSettings settings) {
    CheckRadioButton(dialog, IDC_SECONDS_OFF, IDC_SECONDS_FULLBACK, SecondsButtonFor(settings.showSeconds));
    CheckRadioButton(dialog, IDC_LOGO_OFF, IDC_LOGO_TEXT, LogoButtonFor(settings.showLogo));
    const uint32_t colours[] = {settings.colorOfMarkers, settings.colorOfFace, settings.colorOfNumerals,
                                settings.colorOfHands, settings.colorOfGround};
    static_assert(std::size(colours) == std::size(SwatchIds));
    for (size_t i = 0; i < std::size(SwatchIds); ++i) SetDlgItemInt(dialog, SwatchIds[i], colours[i], FALSE);
    PaintEverySwatch(dialog);
    // The record's texts may come from anywhere: never trust them to be terminated.
    settings.nameOfFont[SettingsTextCapacity - 1] = u'\0';
    settings.logoText[SettingsTextCapacity - 1] = u'\0';
    SetDlgItemTextW(dialog, IDC_FONT_NAME, Wide(settings.nameOfFont));
    SetDlgItemTextW(dialog, IDC_LOGO_EDIT, Wide(settings.logoText));
    SendDlgItemMessageA(dialog, IDC_FACE, CB_SETCURSEL, FaceItemFor(settings.face), 0);
    SendDlgItemMessageA(dialog, IDC_MONITORS, CB_SETCURSEL, MonitorsItemFor(settings.monitors), 0);
    // A boundary outside the day (possible only in a record not loaded through the store) shows its default.
    ShowMinuteOfDay(dialog, IDC_NIGHT_STARTS, IsMinuteOfDay(settings.nightStarts) ? settings.nightStarts : DefaultNightStarts);
    ShowMinuteOfDay(dialog, IDC_NIGHT_ENDS, IsMinuteOfDay(settings.nightEnds) ? settings.nightEnds : DefaultNightEnds);
    CheckDlgButton(dialog, IDC_DRIFT, settings.drift != 0 ? BST_CHECKED : BST_UNCHECKED);
    SendDlgItemMessageW(dialog, IDC_CLOCK_SIZE, TBM_SETPOS, TRUE, SizePositionFor(settings.size));
    ShowSizeText(dialog);
    SendDlgItemMessageA(dialog, IDC_PLACE, CB_SETCURSEL, PlaceItemFor(settings.place), 0);
    SendDlgItemMessageA(dialog, IDC_NUMERALS, CB_SETCURSEL, NumeralsItemFor(settings.numerals), 0);
    CheckDlgButton(dialog, IDC_GLIDE, settings.glide != 0 ? BST_CHECKED : BST_UNCHECKED);
    UpdateNightEnabled(dialog);
}

void UpdateLogoTextEnabled(HWND dialog) {
    EnableWindow(GetDlgItem(dialog, IDC_LOGO_EDIT), IsChecked(dialog, IDC_LOGO_TEXT));
}

void PaintColorSwatch(HWND dialog, int buttonId) {
    HWND button = GetDlgItem(dialog, buttonId);
    if (button == nullptr) return;
    RECT area{};
    GetClientRect(button, &area);
    HBITMAP swatch = MakeSwatch(dialog, GetDlgItemInt(dialog, buttonId, nullptr, FALSE), area);
    if (swatch == nullptr) return;
    ReplaceButtonImage(dialog, buttonId, swatch);
    // A new image does not repaint the button by itself, and invalidating the dialog does not reach
    // its children: without this the old colour would stay on the screen.
    InvalidateRect(button, nullptr, FALSE);
}

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: return OnInitDialog(dialog);
        case WM_COMMAND: OnCommand(dialog, LOWORD(wParam), HIWORD(wParam)); return FALSE;
        // The size trackbar moved, by mouse or keyboard.
        case WM_HSCROLL:
            if (reinterpret_cast<HWND>(lParam) == GetDlgItem(dialog, IDC_CLOCK_SIZE)) ShowSizeText(dialog);
            return FALSE;
        case WM_DESTROY: OnDestroy(dialog); return FALSE;
        // Not handled here: the dialog manager's own scaling runs first.
        case WM_DPICHANGED: PostMessageA(dialog, DpiSettledMessage, LOWORD(wParam), 0); return FALSE;
        case DpiSettledMessage: OnDpiSettled(dialog, static_cast<UINT>(wParam)); return TRUE;
        default: return FALSE;
    }
}
