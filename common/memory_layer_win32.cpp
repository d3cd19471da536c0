#include "common/memory_layer_win32.h"

MemoryLayer::MemoryLayer(int32_t width, int32_t height) {
    const gdi::WindowDc screen(nullptr);
    Create(screen.Get(), width, height);
}

bool MemoryLayer::Create(HDC reference, int32_t width, int32_t height) {
    Reset();
    if (width <= 0 || height <= 0) return false;
    dc_ = gdi::HoldMemoryDc(CreateCompatibleDC(reference));
    if (dc_ == nullptr) return false;
    bitmap_ = gdi::Hold(CreateCompatibleBitmap(reference, width, height));
    if (bitmap_ == nullptr) {
        Reset();
        return false;
    }
    selection_.emplace(dc_.get(), bitmap_.get());
    // Wine's X11 driver looks the X resources up again whenever a font of the default quality
    // is selected, and every GDI+ call ends by restoring the context's state, its font with it.
    // A font of a set quality spares that; nothing is written with it.
    font_ = gdi::Hold(CreateFontW(0, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, nullptr));
    if (font_ != nullptr) fontSelection_.emplace(dc_.get(), font_.get());
    width_ = width;
    height_ = height;
    return true;
}

void MemoryLayer::Reset() {
    fontSelection_.reset();
    font_.reset();
    selection_.reset();
    bitmap_.reset();
    dc_.reset();
    width_ = 0;
    height_ = 0;
}
