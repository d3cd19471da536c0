#include "settings/font_chooser_win32.h"

#include <cstring>

#include "common/gdi_holders_win32.h"
#include "resources/resource_ids.h"

namespace {
// A 40-unit character cell: large enough to judge the face at a glance.
constexpr int PreviewFontHeight = 40;
constexpr UINT PreviewFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
// Face names are short; these are the buffers the owner's text and the list items are read into.
constexpr int OwnerTextCapacity = 255;
constexpr int ItemTextCapacity = 256;

// Stands in when a caller passes no request: no sample, no owner controls.
const FontChooserRequest noRequest = {"", 0, 0, 0};

// Valid while the chooser is open; only one can be open at a time.
const FontChooserRequest* request = &noRequest;
HWND owner = nullptr;
HFONT previewFont = nullptr;

void DeletePreviewFont() {
    gdi::DeleteCounted(previewFont);
    previewFont = nullptr;
}

// The selected item's face name; false when nothing is selected (an empty list).
bool SelectedFaceName(HWND dialog, char (&faceName)[ItemTextCapacity]) {
    faceName[0] = '\0';
    const LRESULT index = SendDlgItemMessageA(dialog, IDC_FONT_LIST, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) return false;
    if (SendDlgItemMessageA(dialog, IDC_FONT_LIST, LB_GETTEXTLEN, index, 0) >= ItemTextCapacity) return false;
    return SendDlgItemMessageA(dialog, IDC_FONT_LIST, LB_GETTEXT, index, reinterpret_cast<LPARAM>(faceName)) != LB_ERR;
}

// With nothing selected there is no family to show: the preview stays without a font and shows
// its background only.
void MakePreviewFont(HWND dialog) {
    DeletePreviewFont();
    char faceName[ItemTextCapacity];
    if (!SelectedFaceName(dialog, faceName)) return;
    // Kept until the selection changes or the chooser closes.
    previewFont = static_cast<HFONT>(gdi::Hold(CreateFontA(
        PreviewFontHeight, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, faceName)).release());
}

void FillFamilyList(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_FONT_LIST);
    gdi::WindowDc dc(dialog);
    EnumFontFamiliesA(dc.Get(), nullptr, AddTrueTypeFamily, reinterpret_cast<LPARAM>(list));
}

void SelectOwnersFace(HWND dialog) {
    char faceName[OwnerTextCapacity] = {};
    GetDlgItemTextA(owner, request->faceNameId, faceName, OwnerTextCapacity);
    const auto found = static_cast<int>(
        SendDlgItemMessageA(dialog, IDC_FONT_LIST, LB_FINDSTRING, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(faceName)));
    const auto count = static_cast<int>(SendDlgItemMessageA(dialog, IDC_FONT_LIST, LB_GETCOUNT, 0, 0));
    const int selection = InitialFontSelection(found, count);
    if (selection >= 0) SendDlgItemMessageA(dialog, IDC_FONT_LIST, LB_SETCURSEL, selection, 0);
}

INT_PTR OnInitDialog(HWND dialog, LPARAM parameter) {
    request = parameter != 0 ? reinterpret_cast<const FontChooserRequest*>(parameter) : &noRequest;
    FillFamilyList(dialog);
    owner = GetParent(dialog);
    SelectOwnersFace(dialog);
    MakePreviewFont(dialog);
    return FALSE;  // no initial focus
}

COLORREF OwnerColour(int32_t controlId, COLORREF fallback) {
    const UINT number = controlId != 0 ? GetDlgItemInt(owner, controlId, nullptr, FALSE) : 0;
    return PreviewColour(controlId, number, fallback);
}

void DrawPreview(HWND preview) {
    gdi::WindowDc dc(preview);
    if (dc.Get() == nullptr) return;
    RECT area{};
    GetClientRect(preview, &area);
    const COLORREF background = OwnerColour(request->backgroundColourId, PreviewDefaultBackground);
    SetTextColor(dc.Get(), OwnerColour(request->textColourId, PreviewDefaultText));
    if (gdi::Object brush = gdi::Hold(CreateSolidBrush(background))) {
        FillRect(dc.Get(), &area, static_cast<HBRUSH>(brush.get()));
    }
    if (previewFont == nullptr) return;
    gdi::Selection selection(dc.Get(), previewFont);
    SetBkColor(dc.Get(), background);
    const auto length = static_cast<int>(strnlen(request->sampleText, FontSampleCapacity));
    DrawTextA(dc.Get(), request->sampleText, length, &area, PreviewFormat);
}

void OnPaint(HWND dialog) {
    PAINTSTRUCT paint;
    BeginPaint(dialog, &paint);
    HWND preview = GetDlgItem(dialog, IDC_FONT_PREVIEW);
    // The preview is a static control that fills itself with the dialog's ground when it paints;
    // let it do so now, before the sample goes on top, not after.
    UpdateWindow(preview);
    DrawPreview(preview);
    EndPaint(dialog, &paint);
}

// Writes the selected family back into the owner's control. With nothing to choose from, the
// owner keeps its name and the chooser ends as if cancelled.
void OnOk(HWND dialog) {
    char faceName[ItemTextCapacity];
    if (!SelectedFaceName(dialog, faceName)) {
        EndDialog(dialog, 0);
        return;
    }
    SetDlgItemTextA(owner, request->faceNameId, faceName);
    EndDialog(dialog, 1);
}

void OnDestroy() {
    DeletePreviewFont();
    request = &noRequest;
    owner = nullptr;
}

void OnCommand(HWND dialog, WPARAM wParam) {
    switch (LOWORD(wParam)) {
        case IDOK: OnOk(dialog); break;
        case IDCANCEL: EndDialog(dialog, 0); break;
        case IDC_FONT_LIST:
            if (HIWORD(wParam) == LBN_SELCHANGE) {
                MakePreviewFont(dialog);
                InvalidateRect(dialog, nullptr, FALSE);
            } else if (HIWORD(wParam) == LBN_DBLCLK) {
                SendMessageA(dialog, WM_COMMAND, IDOK, 0);
            }
            break;
        default: break;
    }
}
}  // namespace

int CALLBACK AddTrueTypeFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD fontType, LPARAM listBox) {
    auto list = reinterpret_cast<HWND>(listBox);
    const auto name = reinterpret_cast<LPARAM>(font->lfFaceName);
    // Some systems report a family once for each character set it covers; list it once.
    if (IsTrueTypeFamily(fontType) &&
        SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), name) == LB_ERR) {
        SendMessageA(list, LB_ADDSTRING, 0, name);
    }
    return 1;
}

INT_PTR CALLBACK FontChooserDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: return OnInitDialog(dialog, lParam);
        case WM_PAINT: OnPaint(dialog); break;
        case WM_COMMAND: OnCommand(dialog, wParam); break;
        case WM_DESTROY: OnDestroy(); break;
        default: break;
    }
    return FALSE;
}
