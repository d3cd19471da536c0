// The settings dialog (template 154), run modally by the Configure mode. It edits its own copy
// of the settings and stores them on OK.
#pragma once

#include <windows.h>

#include "settings/clock_settings.h"

// The dialog's record: filled from the registry at opening, reset by "Set to default" and read
// back from the controls on OK. In between, the controls hold the edited state.
extern ClockSettings dialogSettings;

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Sets every control from the record; leaves the logo edit's enabling alone.
void ShowSettingsInDialog(HWND dialog, ClockSettings settings);
// Enables the logo text edit exactly while "Text:" is checked.
void UpdateLogoTextEnabled(HWND dialog);
// Shows the colour held (as an unsigned number) in the button's text as the button's bitmap,
// filled edge to edge over its client area.
void PaintColorSwatch(HWND dialog, int buttonId);
