#include "settings/world_clocks_dialog_win32.h"

#include <vector>

#include "common/utf16_win32.h"
#include "host/win32/host_state_win32.h"
#include "resources/resource_ids.h"
#include "settings/dialog_logic.h"
#include "settings/time_zones.h"

namespace {

constexpr const wchar_t* NoZoneItem = L"(none)";

// The open dialog's state, handed over as its initial parameter and kept in DWLP_USER.
struct WorldClocksDialog {
    ClockSettings& settings;
    std::vector<TimeZoneChoice> zones;
    bool zoneChanged[WorldClockCount] = {};
};

WorldClocksDialog* StateOf(HWND dialog) {
    return reinterpret_cast<WorldClocksDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

int ZoneListId(int row) { return IDC_WORLD_ZONE_1 + row; }
int LabelEditId(int row) { return IDC_WORLD_LABEL_1 + row; }

void FillZoneList(HWND dialog, int row, const std::vector<TimeZoneChoice>& zones) {
    HWND list = GetDlgItem(dialog, ZoneListId(row));
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(NoZoneItem));
    for (const TimeZoneChoice& zone : zones) {
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(zone.displayName.c_str())));
    }
}

BOOL OnInitDialog(HWND dialog, WorldClocksDialog& state) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
    for (int row = 0; row < WorldClockCount; ++row) {
        FillZoneList(dialog, row, state.zones);
        // The record's texts may come from anywhere: never trust them to be terminated.
        char16_t zone[SettingsTextCapacity];
        char16_t label[SettingsTextCapacity];
        CopySettingsText(zone, state.settings.worldZone[row]);
        CopySettingsText(label, state.settings.worldLabel[row]);
        SendDlgItemMessageW(dialog, ZoneListId(row), CB_SETCURSEL, WorldZoneItemFor(zone, state.zones), 0);
        SendDlgItemMessageW(dialog, LabelEditId(row), EM_LIMITTEXT, SettingsTextCapacity - 1, 0);
        SetDlgItemTextW(dialog, LabelEditId(row), Wide(label));
    }
    return TRUE;
}

void OnOk(HWND dialog, WorldClocksDialog& state) {
    char16_t labels[WorldClockCount][SettingsTextCapacity] = {};
    WorldClockRow rows[WorldClockCount];
    for (int row = 0; row < WorldClockCount; ++row) {
        GetDlgItemTextW(dialog, LabelEditId(row), Wide(labels[row]), SettingsTextCapacity);
        const LRESULT item = SendDlgItemMessageW(dialog, ZoneListId(row), CB_GETCURSEL, 0, 0);
        rows[row] = {state.zoneChanged[row], item == CB_ERR ? -1 : static_cast<int>(item), labels[row]};
    }
    ReadBackWorldClocks(rows, state.zones, state.settings);
    EndDialog(dialog, IDOK);
}

void OnCommand(HWND dialog, WorldClocksDialog& state, int id, int code) {
    if (id == IDOK) {
        OnOk(dialog, state);
    } else if (id == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
    } else if (id >= IDC_WORLD_ZONE_1 && id < IDC_WORLD_ZONE_1 + WorldClockCount && code == CBN_SELCHANGE) {
        state.zoneChanged[id - IDC_WORLD_ZONE_1] = true;
    }
}

INT_PTR CALLBACK WorldClocksDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return OnInitDialog(dialog, *reinterpret_cast<WorldClocksDialog*>(lParam));
    WorldClocksDialog* state = StateOf(dialog);
    if (state == nullptr) return FALSE;
    if (message == WM_COMMAND) OnCommand(dialog, *state, LOWORD(wParam), HIWORD(wParam));
    return FALSE;
}

}  // namespace

INT_PTR RunWorldClocksDialog(HWND owner, ClockSettings& settings) {
    WorldClocksDialog state{settings, SystemTimeZones()};
    return DialogBoxParamW(hostState.instance, MAKEINTRESOURCEW(IDD_WORLD_CLOCKS), owner, WorldClocksDialogProc,
                           reinterpret_cast<LPARAM>(&state));
}
