// Owners for the GDI objects of the settings dialogs: each is deleted (or released) when its
// holder goes out of scope, on every path, and counted while it lives.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

#include "host/object_count.h"

namespace dialog_gdi {

// Deletes an object that was counted when it was made.
inline void DeleteCounted(HGDIOBJ object) {
    if (object == nullptr) return;
    DeleteObject(object);
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

// A window's device context, released when it goes out of scope.
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
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selection() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace dialog_gdi
