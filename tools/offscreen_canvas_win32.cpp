#include "tools/offscreen_canvas_win32.h"

#include "common/gdi_holders_win32.h"

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

PixelSection::PixelSection(int32_t width, int32_t height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down: row 0 is the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = gdi::HoldMemoryDc(CreateCompatibleDC(nullptr));
    bitmap_ = gdi::Hold(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
    if (Valid()) selection_.emplace(dc_.get(), bitmap_.get());
}

std::vector<uint32_t> ReadPixels(const MemoryLayer& layer) {
    if (!layer.Valid()) return {};
    // The layer's bitmap stays selected: its pixels are copied into a section and read there.
    const PixelSection section(layer.Width(), layer.Height());
    if (!section.Valid() ||
        !BitBlt(section.Dc(), 0, 0, layer.Width(), layer.Height(), layer.Dc(), 0, 0, SRCCOPY)) {
        return {};
    }
    GdiFlush();
    std::vector<uint32_t> pixels(section.Pixels(), section.Pixels() + static_cast<size_t>(layer.Width()) * layer.Height());
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

OffscreenCanvas::OffscreenCanvas(int32_t width, int32_t height) {
    const gdi::WindowDc screen(nullptr);
    canvas_.Create(screen.Get(), width, height);
}
