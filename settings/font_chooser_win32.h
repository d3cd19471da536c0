// The font chooser (template 130): lists the installed TrueType families with a live preview and,
// on OK, writes the chosen face name into its owner's control. It knows its owner only through
// the FontChooserRequest passed as the dialog's initial parameter.
#pragma once

#include <windows.h>

#include "settings/dialog_logic.h"

INT_PTR CALLBACK FontChooserDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Font enumeration callback: adds the family's face name to the list box passed as parameter
// when the family is TrueType. Always goes on.
int CALLBACK AddTrueTypeFamily(const LOGFONTA* font, const TEXTMETRICA* metrics, DWORD fontType,
                               LPARAM listBox);
