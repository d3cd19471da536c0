#include "host/win32/saver_canvas_win32.h"

#include "host/win32/host_state_win32.h"
#include "tarnwick_config.h"

void RenderClock(SaverCanvas& canvas, const LocalDateTime& time, const ClockRole& role) {
    const bool fullScreen = hostState.mode == SaverMode::FullScreen;
    RenderClockFrame(canvas, SceneOf(canvas, currentSettings, time, fullScreen, TARNWICK_HOME_PAGE, role));
}
