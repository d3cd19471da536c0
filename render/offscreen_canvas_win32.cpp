#include "render/offscreen_canvas_win32.h"

#include "render/gdiplus_holders_win32.h"

namespace {

// GDI+'s PNG encoder.
constexpr CLSID PngEncoder = {0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

}  // namespace

GdiplusSession::GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) token_ = 0;
}

GdiplusSession::~GdiplusSession() {
    if (token_ != 0) Gdiplus::GdiplusShutdown(token_);
}

MemoryLayer::MemoryLayer(int32_t width, int32_t height) {
    HDC screen = GetDC(nullptr);
    Create(screen, width, height);
    ReleaseDC(nullptr, screen);
}

bool MemoryLayer::Create(HDC reference, int32_t width, int32_t height) {
    Reset();
    if (width <= 0 || height <= 0) return false;
    dc_ = CreateCompatibleDC(reference);
    if (dc_ == nullptr) return false;
    object_count::Created();
    bitmap_ = CreateCompatibleBitmap(reference, width, height);
    if (bitmap_ == nullptr) {
        Reset();
        return false;
    }
    object_count::Created();
    previous_ = SelectObject(dc_, bitmap_);
    width_ = width;
    height_ = height;
    return true;
}

void MemoryLayer::Reset() {
    if (dc_ != nullptr && previous_ != nullptr) SelectObject(dc_, previous_);
    if (bitmap_ != nullptr) {
        DeleteObject(bitmap_);
        object_count::Deleted();
    }
    if (dc_ != nullptr) {
        DeleteDC(dc_);
        object_count::Deleted();
    }
    dc_ = nullptr;
    bitmap_ = nullptr;
    previous_ = nullptr;
    width_ = 0;
    height_ = 0;
}

std::vector<uint32_t> MemoryLayer::ReadPixels() const {
    if (!Valid()) return {};
    std::vector<uint32_t> pixels(static_cast<size_t>(width_) * height_);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;  // top-down: row 0 is the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    GdiFlush();
    // The bitmap must not be selected while GetDIBits reads it.
    SelectObject(dc_, previous_);
    const int rows = GetDIBits(dc_, bitmap_, 0, static_cast<UINT>(height_), pixels.data(), &info, DIB_RGB_COLORS);
    SelectObject(dc_, bitmap_);
    if (rows != height_) return {};
    for (uint32_t& pixel : pixels) pixel &= 0x00FFFFFF;
    return pixels;
}

uint32_t Picture::At(int32_t x, int32_t y) const {
    if (x < 0 || y < 0 || x >= width || y >= height || pixels.empty()) return 0xFFFFFFFF;
    return pixels[static_cast<size_t>(y) * width + x];
}

bool SavePictureAsPng(const Picture& picture, const wchar_t* path) {
    if (picture.pixels.empty()) return false;
    BitmapHolder image;
    CreateInto(image, "GdipCreateBitmapFromScan0", gdip::GdipCreateBitmapFromScan0, picture.width, picture.height,
               picture.width * 4, PixelFormat32bppRGB,
               reinterpret_cast<BYTE*>(const_cast<uint32_t*>(picture.pixels.data())));
    if (image.Get() == nullptr) return false;
    return gdip::GdipSaveImageToFile(image.Get(), path, &PngEncoder, nullptr) == Gdiplus::Ok;
}

OffscreenCanvas::OffscreenCanvas(int32_t width, int32_t height)
    : face_(width, height), frame_(width, height), canvas_{width, height, frame_.Dc(), face_.Dc(), true} {}
