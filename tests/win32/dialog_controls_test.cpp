// The settings dialog's swatch and the font chooser, driven in this process where their GDI
// objects can be seen: the swatch bitmap's size and pixels, the chooser's family filter, its
// preview font over several openings and what it does with an empty list.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/object_count.h"
#include "resources/resource_ids.h"
#include "tests/win32/test_window_support.h"
#include "settings/font_chooser_win32.h"
#include "settings/settings_dialog_win32.h"

namespace {

struct BitmapPixels {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> colours;
};

BitmapPixels ReadBitmap(HBITMAP bitmap) {
    BitmapPixels pixels;
    BITMAP info{};
    if (GetObjectA(bitmap, sizeof info, &info) != sizeof info) return pixels;
    pixels.width = info.bmWidth;
    pixels.height = info.bmHeight;
    BITMAPINFO request{};
    request.bmiHeader.biSize = sizeof request.bmiHeader;
    request.bmiHeader.biWidth = info.bmWidth;
    request.bmiHeader.biHeight = -info.bmHeight;
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    std::vector<DWORD> raw(static_cast<size_t>(info.bmWidth) * info.bmHeight);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, info.bmHeight, raw.data(), &request, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    for (DWORD p : raw) pixels.colours.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
    return pixels;
}

HBITMAP SwatchOf(HWND window) {
    return reinterpret_cast<HBITMAP>(SendDlgItemMessageA(window, IDC_MARKER_SWATCH, BM_GETIMAGE, IMAGE_BITMAP, 0));
}

// Whatever the button's size, the swatch has exactly its client size and every pixel is the colour.
TEST(ColorSwatch, FillsTheButtonsClientAreaExactly) {
    const struct { int width, height; COLORREF colour; } cases[] = {
        {75, 23, RGB(200, 200, 200)}, {1, 1, RGB(10, 20, 30)}, {301, 7, RGB(255, 0, 128)}, {40, 90, RGB(0, 0, 0)}};
    for (const auto& c : cases) {
        TestWindow window;
        HWND button = window.AddChild("BUTTON", BS_PUSHBUTTON | BS_BITMAP, IDC_MARKER_SWATCH, c.width, c.height);
        SetDlgItemInt(window.get(), IDC_MARKER_SWATCH, c.colour, FALSE);
        PaintColorSwatch(window.get(), IDC_MARKER_SWATCH);
        RECT client{};
        GetClientRect(button, &client);
        const BitmapPixels pixels = ReadBitmap(SwatchOf(window.get()));
        EXPECT_EQ(pixels.width, client.right) << c.width << "x" << c.height;
        EXPECT_EQ(pixels.height, client.bottom) << c.width << "x" << c.height;
        int wrong = 0;
        for (COLORREF p : pixels.colours) wrong += p == c.colour ? 0 : 1;
        EXPECT_EQ(wrong, 0) << c.width << "x" << c.height;
    }
}

// Each new swatch replaces and deletes the one before; the count of live objects stays at one.
TEST(ColorSwatch, ReplacesAndDeletesTheEarlierBitmap) {
    TestWindow window;
    window.AddChild("BUTTON", BS_PUSHBUTTON | BS_BITMAP, IDC_MARKER_SWATCH, 75, 23);
    const long before = object_count::Alive();
    SetDlgItemInt(window.get(), IDC_MARKER_SWATCH, RGB(255, 0, 0), FALSE);
    PaintColorSwatch(window.get(), IDC_MARKER_SWATCH);
    HBITMAP first = SwatchOf(window.get());
    EXPECT_EQ(object_count::Alive(), before + 1);
    for (int i = 0; i < 500; ++i) {
        SetDlgItemInt(window.get(), IDC_MARKER_SWATCH, static_cast<UINT>(i), FALSE);
        PaintColorSwatch(window.get(), IDC_MARKER_SWATCH);
    }
    EXPECT_EQ(object_count::Alive(), before + 1);
    EXPECT_EQ(GetObjectType(first), 0u);  // deleted
    EXPECT_EQ(ReadBitmap(SwatchOf(window.get())).colours.at(0), static_cast<COLORREF>(499));
    DeleteObject(SwatchOf(window.get()));
    object_count::Deleted();
}

// A button text that is not a number is colour 0: a black swatch. No button: nothing happens.
TEST(ColorSwatch, TextThatIsNotANumberIsBlack) {
    TestWindow window;
    window.AddChild("BUTTON", BS_PUSHBUTTON | BS_BITMAP, IDC_MARKER_SWATCH, 20, 10, "not a colour");
    PaintColorSwatch(window.get(), IDC_MARKER_SWATCH);
    const BitmapPixels pixels = ReadBitmap(SwatchOf(window.get()));
    ASSERT_EQ(pixels.colours.size(), 200u);
    for (COLORREF p : pixels.colours) EXPECT_EQ(p, RGB(0, 0, 0));
    DeleteObject(SwatchOf(window.get()));
    object_count::Deleted();
    const long before = object_count::Alive();
    PaintColorSwatch(window.get(), 4242);
    EXPECT_EQ(object_count::Alive(), before);
}

std::vector<std::string> Items(HWND list) {
    std::vector<std::string> items;
    const auto count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

int AddFamily(HWND list, const char* face, DWORD fontType) {
    LOGFONTA font{};
    lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
    TEXTMETRICA metrics{};
    return AddTrueTypeFamily(&font, &metrics, fontType, reinterpret_cast<LPARAM>(list));
}

// Raster, device and vector families stay out; a TrueType family reported once per character
// set is listed once. The enumeration always goes on.
TEST(FontChooserList, OnlyTrueTypeFamiliesOnce) {
    TestWindow window;
    HWND list = window.AddChild("LISTBOX", LBS_SORT | LBS_HASSTRINGS, IDC_FONT_LIST, 200, 200);
    EXPECT_EQ(AddFamily(list, "Raster Face", RASTER_FONTTYPE), 1);
    EXPECT_EQ(AddFamily(list, "Device Face", DEVICE_FONTTYPE), 1);
    EXPECT_EQ(AddFamily(list, "Vector Face", 0), 1);
    EXPECT_EQ(AddFamily(list, "Zeta Sans", TRUETYPE_FONTTYPE), 1);
    EXPECT_EQ(AddFamily(list, "Zeta Sans", TRUETYPE_FONTTYPE), 1);
    EXPECT_EQ(AddFamily(list, "alpha Serif", TRUETYPE_FONTTYPE | DEVICE_FONTTYPE), 1);
    EXPECT_EQ(Items(list), (std::vector<std::string>{"alpha Serif", "Zeta Sans"}));
}

// An in-memory copy of the chooser's layout (ids and kinds of its controls), so that the chooser
// can run here without the saver's resources.
class ChooserTemplate {
public:
    ChooserTemplate() {
        Dword(WS_POPUP | WS_CAPTION | WS_SYSMENU);
        Dword(0);
        Word(4);
        Words({0, 0, 406, 133});
        Words({0, 0, 0});  // no menu, default class, empty title
        Control(BS_DEFPUSHBUTTON | WS_TABSTOP, 349, 7, 50, 14, IDOK, ButtonAtom);
        Control(WS_TABSTOP, 349, 24, 50, 14, IDCANCEL, ButtonAtom);
        Control(LBS_SORT | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 7, 7, 127, 119,
                IDC_FONT_LIST, ListBoxAtom);
        Control(SS_LEFT, 141, 7, 200, 119, IDC_FONT_PREVIEW, StaticAtom);
    }
    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    static constexpr WORD ButtonAtom = 0x0080, StaticAtom = 0x0082, ListBoxAtom = 0x0083;
    void Word(WORD w) { words_.push_back(w); }
    void Words(std::initializer_list<WORD> ws) { words_.insert(words_.end(), ws); }
    void Dword(DWORD d) { Words({LOWORD(d), HIWORD(d)}); }
    void Control(DWORD style, WORD x, WORD y, WORD cx, WORD cy, WORD id, WORD atom) {
        if (words_.size() % 2 != 0) Word(0);  // items start on a DWORD boundary
        Dword(WS_CHILD | WS_VISIBLE | style);
        Dword(0);
        Words({x, y, cx, cy, id, 0xFFFF, atom, 0, 0});  // class by atom, empty title, no data
    }
    std::vector<WORD> words_;
};

// The settings dialog's side: the face-name control the chooser reads and writes.
class ChooserOwner {
public:
    explicit ChooserOwner(const char* faceName) {
        window_.AddChild("STATIC", SS_LEFT, IDC_FONT_NAME, 200, 20, faceName);
    }
    HWND get() const { return window_.get(); }
    std::string FaceName() const {
        char text[300] = {};
        GetDlgItemTextA(window_.get(), IDC_FONT_NAME, text, sizeof text);
        return text;
    }
    // Opens the chooser (modeless here, so that the test can drive it message by message).
    HWND Open() const {
        static const ChooserTemplate layout;
        static const FontChooserRequest request = {"0123456789", 0, 0, IDC_FONT_NAME};
        return CreateDialogIndirectParamA(GetModuleHandleA(nullptr), layout.get(), window_.get(),
                                          FontChooserDialogProc, reinterpret_cast<LPARAM>(&request));
    }

private:
    TestWindow window_;
};

std::string Selected(HWND chooser) {
    const LRESULT index = SendDlgItemMessageA(chooser, IDC_FONT_LIST, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) return "<none>";
    char text[256] = {};
    SendDlgItemMessageA(chooser, IDC_FONT_LIST, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
}

void Command(HWND chooser, int id, int notification = 0) {
    SendMessageA(chooser, WM_COMMAND, MAKEWPARAM(id, notification), 0);
}

// One preview font while open, none after; every opening makes its own; a selection change
// replaces it. OK writes the list's spelling of the family found by the case-blind prefix.
TEST(FontChooser, PreviewFontLivesWhileOpenAndOkWritesTheListsSpelling) {
    ChooserOwner owner("dejavu s");
    const long before = object_count::Alive();
    for (int opening = 0; opening < 3; ++opening) {
        HWND chooser = owner.Open();
        ASSERT_NE(chooser, nullptr);
        EXPECT_EQ(object_count::Alive(), before + 1);
        EXPECT_EQ(Selected(chooser), "DejaVu Sans");
        SendDlgItemMessageA(chooser, IDC_FONT_LIST, LB_SETCURSEL, 0, 0);
        Command(chooser, IDC_FONT_LIST, LBN_SELCHANGE);
        UpdateWindow(chooser);
        EXPECT_EQ(object_count::Alive(), before + 1);
        Command(chooser, IDCANCEL);
        EXPECT_EQ(owner.FaceName(), "dejavu s");
        DestroyWindow(chooser);
        EXPECT_EQ(object_count::Alive(), before);
    }
    HWND chooser = owner.Open();
    Command(chooser, IDC_FONT_LIST, LBN_DBLCLK);
    EXPECT_EQ(owner.FaceName(), "DejaVu Sans");
    DestroyWindow(chooser);
    EXPECT_EQ(object_count::Alive(), before);
}

// With no family to choose from, nothing is previewed and OK leaves the owner's name alone.
TEST(FontChooser, EmptyListPreviewsNothingAndOkKeepsTheName) {
    ChooserOwner owner("Some Face");
    const long before = object_count::Alive();
    HWND chooser = owner.Open();
    ASSERT_NE(chooser, nullptr);
    SendDlgItemMessageA(chooser, IDC_FONT_LIST, LB_RESETCONTENT, 0, 0);
    Command(chooser, IDC_FONT_LIST, LBN_SELCHANGE);
    EXPECT_EQ(object_count::Alive(), before);
    InvalidateRect(chooser, nullptr, FALSE);
    UpdateWindow(chooser);  // paints the empty preview
    Command(chooser, IDOK);
    EXPECT_EQ(owner.FaceName(), "Some Face");
    DestroyWindow(chooser);
    EXPECT_EQ(object_count::Alive(), before);
}

}  // namespace
