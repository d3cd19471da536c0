// Owners for the GDI and GDI+ objects of one render call: each object is deleted when its
// holder goes out of scope, on every path, and counted while it lives.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include "host/object_count.h"
#include "render/render_status.h"

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

// Holds one GDI object (font, brush, bitmap) and deletes it with DeleteObject.
class GdiObjectHolder {
public:
    explicit GdiObjectHolder(HGDIOBJ object) : object_(object) {
        if (object_ != nullptr) object_count::Created();
    }
    GdiObjectHolder(const GdiObjectHolder&) = delete;
    GdiObjectHolder& operator=(const GdiObjectHolder&) = delete;
    ~GdiObjectHolder() {
        if (object_ == nullptr) return;
        NoteGdiResult(DeleteObject(object_) != FALSE, "DeleteObject");
        object_count::Deleted();
    }
    HGDIOBJ Get() const { return object_; }

private:
    HGDIOBJ object_;
};

// Selects an object into a device context for one scope and selects the previous one back.
class SelectionGuard {
public:
    SelectionGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    SelectionGuard(const SelectionGuard&) = delete;
    SelectionGuard& operator=(const SelectionGuard&) = delete;
    ~SelectionGuard() {
        if (previous_ != nullptr) SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};
