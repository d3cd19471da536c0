#include "render/render_clock_win32.h"

#include "common/gdi_holders_win32.h"
#include "common/utf16_win32.h"
#include "render/clock_recipe.h"
#include "render/gdiplus_painter_win32.h"
#include "tarnwick_config.h"

namespace {

ClockScene SceneOf(const RenderCall& call, const char16_t* dateText) {
    return ClockScene{call.canvas.width,
                      call.canvas.height,
                      call.settings,
                      ClockTime{call.time.wHour, call.time.wMinute, call.time.wSecond},
                      call.fullScreen,
                      dateText,
                      TARNWICK_HOME_PAGE};
}

}  // namespace

void DrawDialFace(const RenderCall& call) {
    char16_t date[SettingsTextCapacity] = {};
    if (LogoModeOf(call.settings.showLogo) == LogoMode::Date) {
        // Locale 0 stands for the user's default locale; an impossible date leaves the text empty.
        constexpr LCID UserLocale = 0;
        if (GetDateFormatW(UserLocale, 0, &call.time, nullptr, Wide(date), SettingsTextCapacity) ==
            0) {
            date[0] = u'\0';
        }
    }
    GdiplusPainter painter(call.canvas.faceLayer);
    PaintDial(painter, SceneOf(call, date));
}

void ComposeFrame(const RenderCall& call) {
    const SaverCanvas& canvas = call.canvas;
    NoteGdiResult(BitBlt(canvas.frameLayer, 0, 0, canvas.width, canvas.height, canvas.faceLayer, 0, 0, SRCCOPY) !=
                      FALSE,
                  "BitBlt");
    GdiplusPainter painter(canvas.frameLayer);
    PaintHands(painter, SceneOf(call, u""));
}

void RenderClockWith(const SaverCanvas& canvas, const ClockSettings& settings, const SYSTEMTIME& time,
                     bool fullScreen) {
    ResetRenderStatus();
    const RenderCall call(canvas, settings, time, fullScreen);
    if (canvas.faceDirty) DrawDialFace(call);
    ComposeFrame(call);
}
