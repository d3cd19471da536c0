#include "settings/clock_settings.h"

ClockSettings currentSettings{};
