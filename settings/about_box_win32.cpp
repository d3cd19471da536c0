#include "settings/about_box_win32.h"

#include <cstring>
#include <string_view>

#include "host/win32/host_state_win32.h"
#include "resources/resource_ids.h"
#include "settings/dialog_logic.h"

namespace {
constexpr int LineCapacity = 512;

// Start-up fills these buffers; read no further than they reach even if one was left unterminated.
std::string_view HostText(const char (&text)[HostTextCapacity]) {
    return std::string_view(text, strnlen(text, HostTextCapacity));
}

INT_PTR OnInitDialog(HWND dialog) {
    char line[LineCapacity];
    BuildAboutTitle(HostText(hostState.productName), HostText(hostState.versionText), line, LineCapacity);
    SetDlgItemTextA(dialog, IDC_ABOUT_TITLE, line);
    line[0] = '\0';
    LoadStringA(GetModuleHandleA(nullptr), IDS_CREDIT_LINE, line, LineCapacity);
    SetDlgItemTextA(dialog, IDC_ABOUT_CREDIT, line);
    const std::string_view notice = HostText(hostState.noticeText);
    std::memcpy(line, notice.data(), notice.size());
    line[notice.size()] = '\0';
    SetDlgItemTextA(dialog, IDC_ABOUT_NOTICE, line);
    return TRUE;
}
}  // namespace

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return OnInitDialog(dialog);
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}
