#include "render/clock_scene.h"

ClockScene MakeClockScene(int32_t width, int32_t height, const ClockSettings& settings, const LocalDateTime& time,
                          bool fullScreen, const char* homePage, ShortDateFormatter formatDate) {
    ClockScene scene{width, height, settings, time, fullScreen, u"", homePage};
    if (LogoModeOf(settings.showLogo) == LogoMode::Date && formatDate != nullptr) scene.dateText = formatDate(time);
    return scene;
}

ClockTime ClockTimeOf(const LocalDateTime& time) { return ClockTime{time.hour, time.minute, time.second}; }
