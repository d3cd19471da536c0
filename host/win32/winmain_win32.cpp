// Entry point: host state, settings, GDI+, the run-mode decision and the four run modes.
#include <windows.h>
#include <commctrl.h>
#include <gdiplus.h>

#include <cstdint>

#include "host/win32/host_state_win32.h"
#include "host/run_mode.h"
#include "host/win32/saver_window_win32.h"
#include "resources/resource_ids.h"
#include "settings/registry_store_win32.h"
#include "settings/settings_dialog_win32.h"

namespace {

void LoadHostTexts(HINSTANCE instance) {
    LoadStringA(instance, IDS_NOTICE, hostState.noticeText, HostTextCapacity);
    LoadStringA(instance, IDS_PRODUCT_NAME, hostState.productName, HostTextCapacity);
    LoadStringA(instance, IDS_CLASS_NAME, hostState.className, HostTextCapacity);
    LoadStringA(instance, IDS_VERSION, hostState.versionText, HostTextCapacity);
}

void ShowErrorBox(const char* text) { MessageBoxA(nullptr, text, hostState.productName, MB_ICONERROR); }

int RunPasswordChange() {
    using PwdChangePasswordProc = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, DWORD);
    HMODULE library = LoadLibraryA("MPR.DLL");
    if (library == nullptr) {
        ShowErrorBox("File MPR.DLL not found! (This file needed for change password.)");
        return exit_code::PasswordServiceMissing;
    }
    auto change = reinterpret_cast<PwdChangePasswordProc>(
        reinterpret_cast<void (*)()>(GetProcAddress(library, "PwdChangePasswordA")));
    if (change == nullptr) {
        FreeLibrary(library);
        ShowErrorBox(
            "Function PwdChangePasswordA in file MPR.DLL not fount! (This function needed for change password.)");
        return exit_code::PasswordServiceMissing;
    }
    change("SCRSAVE", ParentWindow(), 0, 0);
    FreeLibrary(library);
    return exit_code::PasswordChanged;
}

int RunSettingsDialog(HINSTANCE instance) {
    // The night hours' time pickers and the size trackbar are common controls: their classes must
    // exist first.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_DATE_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_SETTINGS), ParentWindow(), SettingsDialogProc, 0);
    return exit_code::DialogEnded;
}

int RunSaverWindow(HINSTANCE instance, int showCommand) {
    if (!RegisterSaverClass(instance)) return exit_code::WindowNotCreated;
    SaverRun run;
    if (!CreateSaverWindow(instance, showCommand, run)) return exit_code::WindowNotCreated;
    const bool fullScreen = hostState.mode == SaverMode::FullScreen;
    BOOL previousState = FALSE;
    if (fullScreen) SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, TRUE, &previousState, 0);
    MSG message{};
    BOOL fetched = FALSE;
    // GetMessage answers -1 on an error; nothing more will arrive then, so that ends the loop too.
    while ((fetched = GetMessageA(&message, nullptr, 0, 0)) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (fullScreen) SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, FALSE, &previousState, 0);
    // Only the quit message carries an exit code; after an error the last message's wParam is
    // no code at all, and the window has ended like any other.
    return fetched == 0 ? static_cast<int>(message.wParam) : exit_code::WindowLoopFailed;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    hostState.instance = instance;
    LoadHostTexts(instance);
    LoadSettings(currentSettings);

    Gdiplus::GdiplusStartupInput startupInput;   // version 1, no callback, nothing suppressed
    ULONG_PTR gdiplusToken = 0;
    if (Gdiplus::GdiplusStartup(&gdiplusToken, &startupInput, nullptr) != Gdiplus::Ok) {
        ShowErrorBox("Error loading GDI+ library.");
        return exit_code::GdiplusFailed;
    }

    const RunChoice choice = ChooseRunMode(GetCommandLineA());
    hostState.mode = choice.mode;
    hostState.parentWindow = reinterpret_cast<HWND>(static_cast<uintptr_t>(choice.parentWindow));
    int exitCode = exit_code::MissingWindowHandle;
    if (!choice.endAtOnce) {
        switch (choice.mode) {
            case SaverMode::ChangePassword: exitCode = RunPasswordChange(); break;
            case SaverMode::Configure: exitCode = RunSettingsDialog(instance); break;
            case SaverMode::FullScreen:
            case SaverMode::Preview: exitCode = RunSaverWindow(instance, showCommand); break;
        }
    }
    Gdiplus::GdiplusShutdown(gdiplusToken);
    return exitCode;
}
