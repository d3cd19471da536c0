// Owners for every GDI and GDI+ object the program makes: each object is deleted when its holder
// goes out of scope, on every path, and counted while it lives.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include <memory>
#include <type_traits>

#include "common/object_count.h"
#include "common/render_status_win32.h"

// ---- GDI+ objects ----

namespace gdip = Gdiplus::DllExports;
using Gdiplus::GpStatus;

// Holds one GDI+ object of type T, deleted through Delete (which takes T's base type).
template <typename T, typename Base, GpStatus(WINGDIPAPI* Delete)(Base*), const char* DeleteName>
class GdipHolder {
public:
    GdipHolder() = default;
    GdipHolder(const GdipHolder&) = delete;
    GdipHolder& operator=(const GdipHolder&) = delete;
    ~GdipHolder() { Reset(); }

    T* Get() const { return object_; }

    // The handle is null before a creating call, so a failed creation leaves it null and the
    // calls that use it fail harmlessly.
    T** Receive() {
        Reset();
        return &object_;
    }
    // Counts the object that a creating call left in the holder, passing its status through.
    GpStatus Adopt(GpStatus status) {
        if (object_ != nullptr) object_count::Created();
        return status;
    }

    void Reset() {
        if (object_ == nullptr) return;
        NoteGdiplusStatus(Delete(object_), DeleteName);
        object_count::Deleted();
        object_ = nullptr;
    }

private:
    T* object_ = nullptr;
};

namespace gdip_names {
inline constexpr char DeleteGraphics[] = "GdipDeleteGraphics";
inline constexpr char DeleteBrush[] = "GdipDeleteBrush";
inline constexpr char DeletePen[] = "GdipDeletePen";
inline constexpr char DeletePath[] = "GdipDeletePath";
inline constexpr char DeleteFontFamily[] = "GdipDeleteFontFamily";
inline constexpr char DeleteFont[] = "GdipDeleteFont";
inline constexpr char DeleteStringFormat[] = "GdipDeleteStringFormat";
inline constexpr char DisposeImage[] = "GdipDisposeImage";
}  // namespace gdip_names

using GraphicsHolder = GdipHolder<Gdiplus::GpGraphics, Gdiplus::GpGraphics, &gdip::GdipDeleteGraphics,
                                  gdip_names::DeleteGraphics>;
using SolidFillHolder = GdipHolder<Gdiplus::GpSolidFill, Gdiplus::GpBrush, &gdip::GdipDeleteBrush,
                                   gdip_names::DeleteBrush>;
using LineGradientHolder = GdipHolder<Gdiplus::GpLineGradient, Gdiplus::GpBrush, &gdip::GdipDeleteBrush,
                                      gdip_names::DeleteBrush>;
using PenHolder = GdipHolder<Gdiplus::GpPen, Gdiplus::GpPen, &gdip::GdipDeletePen, gdip_names::DeletePen>;
using PathHolder = GdipHolder<Gdiplus::GpPath, Gdiplus::GpPath, &gdip::GdipDeletePath, gdip_names::DeletePath>;
using FontFamilyHolder = GdipHolder<Gdiplus::GpFontFamily, Gdiplus::GpFontFamily, &gdip::GdipDeleteFontFamily,
                                    gdip_names::DeleteFontFamily>;
using FontHolder = GdipHolder<Gdiplus::GpFont, Gdiplus::GpFont, &gdip::GdipDeleteFont, gdip_names::DeleteFont>;
using StringFormatHolder = GdipHolder<Gdiplus::GpStringFormat, Gdiplus::GpStringFormat,
                                      &gdip::GdipDeleteStringFormat, gdip_names::DeleteStringFormat>;
using BitmapHolder = GdipHolder<Gdiplus::GpBitmap, Gdiplus::GpImage, &gdip::GdipDisposeImage,
                                gdip_names::DisposeImage>;

// Runs a creating GDI+ call whose last argument receives the new object, and notes its status.
template <typename Holder, typename Create, typename... Args>
void CreateInto(Holder& holder, const char* operation, Create create, Args... args) {
    // The holder's slot is emptied before the call runs; the object is counted after it returns.
    NoteGdiplusStatus(holder.Adopt(create(args..., holder.Receive())), operation);
}

// Notes the status of a GDI+ call that creates nothing.
inline void Gdip(GpStatus status, const char* operation) {
    NoteGdiplusStatus(status, operation);
}

// ---- GDI objects ----

namespace gdi {

// Deletes an object that was counted when it was made.
inline void DeleteCounted(HGDIOBJ object) {
    if (object == nullptr) return;
    NoteGdiResult(DeleteObject(object) != FALSE, "DeleteObject");
    object_count::Deleted();
}

struct ObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteCounted(object); }
};
// A font, brush or bitmap; release() hands it on (still counted) to whoever keeps it.
using Object = std::unique_ptr<std::remove_pointer_t<HGDIOBJ>, ObjectDeleter>;
inline Object Hold(HGDIOBJ object) {
    if (object != nullptr) object_count::Created();
    return Object(object);
}

struct MemoryDcDeleter {
    void operator()(HDC dc) const {
        DeleteDC(dc);
        object_count::Deleted();
    }
};
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDcDeleter>;
inline MemoryDc HoldMemoryDc(HDC dc) {
    if (dc != nullptr) object_count::Created();
    return MemoryDc(dc);
}

// A window's device context (the screen's for a null window), released when it goes out of scope.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_ != nullptr) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a device context for one scope, then selects the previous one back.
// A null object selects nothing.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object != nullptr ? SelectObject(dc, object) : nullptr) {}
    ~Selection() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace gdi
