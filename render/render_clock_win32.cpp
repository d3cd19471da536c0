#include "render/render_clock_win32.h"

#include <algorithm>

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
    return true;
}

std::unique_ptr<ClockPainter> SaverCanvas::FacePainter() { return std::make_unique<GdiplusPainter>(face_.Dc()); }

std::unique_ptr<ClockPainter> SaverCanvas::FramePainter() { return std::make_unique<GdiplusPainter>(frame_.Dc()); }

void SaverCanvas::CopyFaceWithin(const IntBox& box, const IntBox& face, HBRUSH ground) {
    const int32_t left = std::max(box.left, face.left), top = std::max(box.top, face.top);
    const int32_t right = std::min(box.left + box.width, face.left + face.width);
    const int32_t bottom = std::min(box.top + box.height, face.top + face.height);
    if (right > left && bottom > top) {
        NoteGdiResult(BitBlt(frame_.Dc(), left, top, right - left, bottom - top, face_.Dc(), left - face.left,
                             top - face.top, SRCCOPY) != FALSE,
                      "BitBlt");
    }
    for (const IntBox& strip : BareStrips(width_, height_, face)) {
        const RECT area{std::max(strip.left, box.left), std::max(strip.top, box.top),
                        std::min(strip.left + strip.width, box.left + box.width),
                        std::min(strip.top + strip.height, box.top + box.height)};
        if (area.right <= area.left || area.bottom <= area.top) continue;
        NoteGdiResult(FillRect(frame_.Dc(), &area, ground) != 0, "FillRect");
    }
}

void SaverCanvas::CopyFaceToFrame(const ClockScene& scene, const std::vector<IntBox>* area) {
    const uint32_t argb = scene.palette.ground;
    const gdi::Object brush = gdi::Hold(CreateSolidBrush(RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF)));
    const IntBox face = FaceBoxOf(scene);
    if (area == nullptr) {
        CopyFaceWithin({0, 0, width_, height_}, face, static_cast<HBRUSH>(brush.get()));
        return;
    }
    for (const IntBox& box : *area) CopyFaceWithin(box, face, static_cast<HBRUSH>(brush.get()));
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

namespace {

// FILETIME counts 100 ns from 1601; an instant counts from 1970, as the waits need only
// differences of it.
TickInstant InstantOfFileTime(const FILETIME& fileTime) {
    constexpr int64_t FileTimeOf1970 = 116'444'736'000'000'000;
    constexpr int64_t UnitsPerSecond = 10'000'000;
    const int64_t units = ((int64_t{fileTime.dwHighDateTime} << 32) | fileTime.dwLowDateTime) - FileTimeOf1970;
    return {units / UnitsPerSecond, (units % UnitsPerSecond) * 100};
}

}  // namespace

TickInstant InstantOf(const LocalDateTime& time) {
    const SYSTEMTIME local = SystemTimeOf(time);
    SYSTEMTIME utc{};
    FILETIME fileTime{};
    if (!TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) || !SystemTimeToFileTime(&utc, &fileTime)) return {0, 0};
    return InstantOfFileTime(fileTime);
}

ClockReading ReadClock() {
    FILETIME fileTime{};
    GetSystemTimeAsFileTime(&fileTime);
    SYSTEMTIME local{};
    FILETIME localFileTime{};
    // One reading for both, so the local time is the instant's own.
    FileTimeToLocalFileTime(&fileTime, &localFileTime);
    FileTimeToSystemTime(&localFileTime, &local);
    return {InstantOfFileTime(fileTime), LocalDateTimeOf(local)};
}

std::u16string ShortDateOf(const LocalDateTime& time) {
    // Locale 0 stands for the user's default locale; an impossible date leaves the text empty.
    constexpr LCID UserLocale = 0;
    const SYSTEMTIME system = SystemTimeOf(time);
    char16_t date[SettingsTextCapacity] = {};
    if (GetDateFormatW(UserLocale, 0, &system, nullptr, Wide(date), SettingsTextCapacity) == 0) return u"";
    return date;
}
