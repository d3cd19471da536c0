// The settings in the per-user registry key "Software\Brevant\Tarnwick".
#pragma once

#include "settings/clock_settings.h"
#include "settings/settings_store.h"

// Defaults, then every stored value that passes the acceptance rules. Cannot fail.
void LoadSettings(ClockSettings& settings);
// Writes the five user fields; a failure is silent.
void SaveSettings(ClockSettings settings);
// What the latest SaveSettings came to, kept for tests: the product never acts on it.
SaveOutcome LastSaveOutcome();
