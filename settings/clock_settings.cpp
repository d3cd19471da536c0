#include "settings/clock_settings.h"

ClockSettings currentSettings{};

namespace {
// The defaults are short constants: they always fit.
void SetText(char16_t (&field)[SettingsTextCapacity], const char16_t* text) {
    int length = 0;
    for (; length < SettingsTextCapacity - 1 && text[length] != u'\0'; ++length) {
        field[length] = text[length];
    }
    field[length] = u'\0';
}
}  // namespace

void SetDefaultSettings(ClockSettings& settings) {
    settings.colorOfMarkers = DefaultColorOfMarkers;
    settings.showSeconds = DefaultShowSeconds;
    settings.showLogo = DefaultShowLogo;
    SetText(settings.logoText, DefaultLogoText);
    SetText(settings.nameOfFont, DefaultNameOfFont);
}

int SettingsTextLength(const char16_t (&field)[SettingsTextCapacity]) {
    int length = 0;
    while (length < SettingsTextCapacity && field[length] != u'\0') ++length;
    return length;
}
