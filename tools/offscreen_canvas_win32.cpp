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

std::vector<uint32_t> ReadPixels(const MemoryLayer& layer) {
    if (!layer.Valid()) return {};
    const int32_t width = layer.Width();
    const int32_t height = layer.Height();
    // The layer's bitmap stays selected: its pixels are copied into a top-down 32-bit section.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const gdi::Object section = gdi::Hold(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const gdi::MemoryDc copyDc = gdi::HoldMemoryDc(CreateCompatibleDC(layer.Dc()));
    if (section == nullptr || copyDc == nullptr) return {};
    {
        const gdi::Selection selection(copyDc.get(), section.get());
        if (!BitBlt(copyDc.get(), 0, 0, width, height, layer.Dc(), 0, 0, SRCCOPY)) return {};
        GdiFlush();
    }
    const auto* first = static_cast<const uint32_t*>(bits);
    std::vector<uint32_t> pixels(first, first + static_cast<size_t>(width) * height);
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
