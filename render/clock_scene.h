// Everything one render draws from, gathered once by the host: the canvas size, the settings,
// one reading of the local time and the texts the platform supplies. Platform-free.
#pragma once

#include <cstdint>
#include <string>

#include "common/local_time.h"
#include "render/hand_geometry.h"
#include "settings/clock_settings.h"

struct ClockScene {
    int32_t width;
    int32_t height;
    const ClockSettings& settings;
    LocalDateTime time;
    bool fullScreen;           // only the banner asks
    std::u16string dateText;   // today's short date in the user's format, only for the date logo
    const char* homePage;      // the banner's text
};

// The platform's short date of a local date, as UTF-16; empty when it cannot be formatted.
using ShortDateFormatter = std::u16string (*)(const LocalDateTime& time);

// The one way a host builds a scene. The date is formatted only when the date logo shows it.
ClockScene MakeClockScene(int32_t width, int32_t height, const ClockSettings& settings, const LocalDateTime& time,
                          bool fullScreen, const char* homePage, ShortDateFormatter formatDate);

// The hands' reading of the scene's time.
ClockTime ClockTimeOf(const LocalDateTime& time);
