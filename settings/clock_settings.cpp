#include "settings/clock_settings.h"

ClockSettings currentSettings{};

void CopySettingsText(char16_t (&field)[SettingsTextCapacity], const char16_t* text) {
    int length = 0;
    while (text != nullptr && length < SettingsTextCapacity - 1 && text[length] != u'\0') {
        field[length] = text[length];
        ++length;
    }
    field[length] = u'\0';
}

bool IsDarkFace(const ClockSettings& settings, int32_t minuteOfDay) {
    switch (FaceModeOf(settings.face)) {
    case FaceMode::Light: return false;
    case FaceMode::Dark: return true;
    case FaceMode::DarkAtNight: break;
    }
    const int32_t starts = settings.nightStarts;
    const int32_t ends = settings.nightEnds;
    // Night runs up to, not including, its end; across midnight when it starts later than it ends.
    if (starts <= ends) return minuteOfDay >= starts && minuteOfDay < ends;
    return minuteOfDay >= starts || minuteOfDay < ends;
}

int SettingsTextLength(const char16_t (&field)[SettingsTextCapacity]) {
    int length = 0;
    while (length < SettingsTextCapacity && field[length] != u'\0') ++length;
    return length;
}
