#include "render/render_clock_win32.h"

#include "common/gdi_holders_win32.h"
#include "common/render_status_win32.h"
#include "common/utf16_win32.h"
#include "render/gdiplus_painter_win32.h"

namespace {

SYSTEMTIME SystemTimeOf(const LocalDateTime& time) {
    SYSTEMTIME system{};
    system.wYear = static_cast<WORD>(time.year);
    system.wMonth = static_cast<WORD>(time.month);
    system.wDayOfWeek = static_cast<WORD>(time.dayOfWeek);
    system.wDay = static_cast<WORD>(time.day);
    system.wHour = static_cast<WORD>(time.hour);
    system.wMinute = static_cast<WORD>(time.minute);
    system.wSecond = static_cast<WORD>(time.second);
    return system;
}

}  // namespace

bool SaverCanvas::Create(HDC reference, int32_t width, int32_t height) {
    width_ = width;
    height_ = height;
    faceDirty = true;
    groundLaid_ = false;
    if (width > 0 && height > 0 && frame_.Create(reference, width, height) && face_.Create(reference, width, height)) {
        return true;
    }
    Release();
    return false;
}

void SaverCanvas::Release() {
    frame_.Reset();
    face_.Reset();
}

void SaverCanvas::BeginFrame() { ResetRenderStatus(); }

bool SaverCanvas::PrepareFace(int32_t width, int32_t height) {
    if (!frame_.Valid() || (face_.Width() == width && face_.Height() == height)) return false;
    // A memory context as the reference gives the frame's own pixel format.
    face_.Create(frame_.Dc(), width, height);
    groundLaid_ = false;
    return true;
}

std::unique_ptr<ClockPainter> SaverCanvas::FacePainter() { return std::make_unique<GdiplusPainter>(face_.Dc()); }

std::unique_ptr<ClockPainter> SaverCanvas::FramePainter() { return std::make_unique<GdiplusPainter>(frame_.Dc()); }

void SaverCanvas::CopyFaceToFrame(const ClockScene& scene) {
    const IntBox face = FaceBoxOf(scene);
    NoteGdiResult(BitBlt(frame_.Dc(), face.left, face.top, face.width, face.height, face_.Dc(), 0, 0, SRCCOPY) != FALSE,
                  "BitBlt");
    const uint32_t ground = scene.palette.ground;
    const bool laid = groundLaid_ && ground == groundArgb_ && face.left == faceBox_.left && face.top == faceBox_.top &&
                      face.width == faceBox_.width && face.height == faceBox_.height;
    groundLaid_ = true;
    faceBox_ = face;
    groundArgb_ = ground;
    if (laid) return;
    const std::vector<IntBox> strips = BareStrips(width_, height_, face);
    if (strips.empty()) return;
    const COLORREF groundRef = RGB((ground >> 16) & 0xFF, (ground >> 8) & 0xFF, ground & 0xFF);
    const gdi::Object brush = gdi::Hold(CreateSolidBrush(groundRef));
    for (const IntBox& strip : strips) {
        const RECT area{strip.left, strip.top, strip.left + strip.width, strip.top + strip.height};
        NoteGdiResult(FillRect(frame_.Dc(), &area, static_cast<HBRUSH>(brush.get())) != 0, "FillRect");
    }
}

void SaverCanvas::FrameDrawn(const std::vector<IntBox>& boxes) {
    // The banner lies outside a small clock's square: the next frame lays the ground anew.
    for (const IntBox& box : boxes) {
        if (!Inside(box, faceBox_)) groundLaid_ = false;
    }
}

LocalDateTime LocalDateTimeOf(const SYSTEMTIME& time) {
    return {time.wYear, time.wMonth, time.wDay, time.wDayOfWeek, time.wHour, time.wMinute, time.wSecond,
            time.wMilliseconds};
}

LocalDateTime LocalTimeNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return LocalDateTimeOf(now);
}

ClockReading ReadClock() {
    // FILETIME counts 100 ns from 1601; the instant counts from 1970, as the waits need only
    // differences of it.
    constexpr int64_t FileTimeOf1970 = 116'444'736'000'000'000;
    constexpr int64_t UnitsPerSecond = 10'000'000;
    FILETIME fileTime{};
    GetSystemTimeAsFileTime(&fileTime);
    SYSTEMTIME local{};
    FILETIME localFileTime{};
    // One reading for both, so the local time is the instant's own.
    FileTimeToLocalFileTime(&fileTime, &localFileTime);
    FileTimeToSystemTime(&localFileTime, &local);
    const int64_t units =
        ((int64_t{fileTime.dwHighDateTime} << 32) | fileTime.dwLowDateTime) - FileTimeOf1970;
    return {{units / UnitsPerSecond, (units % UnitsPerSecond) * 100}, LocalDateTimeOf(local)};
}

std::u16string ShortDateOf(const LocalDateTime& time) {
    // Locale 0 stands for the user's default locale; an impossible date leaves the text empty.
    constexpr LCID UserLocale = 0;
    const SYSTEMTIME system = SystemTimeOf(time);
    char16_t date[SettingsTextCapacity] = {};
    if (GetDateFormatW(UserLocale, 0, &system, nullptr, Wide(date), SettingsTextCapacity) == 0) return u"";
    return date;
}
