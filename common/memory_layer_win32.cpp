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
    width_ = width;
    height_ = height;
    return true;
}

void MemoryLayer::Reset() {
    selection_.reset();
    bitmap_.reset();
    dc_.reset();
    width_ = 0;
    height_ = 0;
}
