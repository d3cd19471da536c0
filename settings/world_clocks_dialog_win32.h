// The world clocks dialog (template 160), opened by the settings dialog's "World clocks..."
// button: four rows of a time zone chosen from the system's and a caption.
#pragma once

#include <windows.h>

#include "settings/clock_settings.h"

// Runs the dialog modally over the owner, showing the record's world clocks. OK writes the rows
// back into the record's worldZone and worldLabel (nothing else, and nothing is stored); Cancel
// leaves the record alone. Returns IDOK or IDCANCEL.
INT_PTR RunWorldClocksDialog(HWND owner, ClockSettings& settings);
