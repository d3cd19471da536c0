// The saver's test build links this file beside the saver's own objects: it installs a watcher
// that counts frames, keeps a copy of the preview picture and answers the probe messages.
#include "tests/probe/saver_probe_win32.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/object_count.h"
#include "host/win32/saver_window_win32.h"
#include "host/win32/saver_hooks_win32.h"
#include "tools/offscreen_canvas_win32.h"

namespace saver_probe {
namespace {

bool WriteBitmapFile(const PixelSection& picture) {
    const char* folder = std::getenv("TARNWICK_PROBE_DIR");
    if (folder == nullptr) return false;
    GdiFlush();
    const std::string path = std::string(folder) + "\\preview.bmp";
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const DWORD pixelBytes = static_cast<DWORD>(picture.Width()) * static_cast<DWORD>(picture.Height()) * 4;
    BITMAPFILEHEADER fileHeader{};
    BITMAPINFOHEADER infoHeader{};
    fileHeader.bfType = 0x4D42;
    fileHeader.bfOffBits = sizeof(fileHeader) + sizeof(infoHeader);
    fileHeader.bfSize = fileHeader.bfOffBits + pixelBytes;
    infoHeader.biSize = sizeof(infoHeader);
    infoHeader.biWidth = picture.Width();
    infoHeader.biHeight = -picture.Height();
    infoHeader.biPlanes = 1;
    infoHeader.biBitCount = 32;
    infoHeader.biCompression = BI_RGB;
    bool ok = std::fwrite(&fileHeader, sizeof(fileHeader), 1, file) == 1 &&
              std::fwrite(&infoHeader, sizeof(infoHeader), 1, file) == 1 &&
              std::fwrite(picture.Pixels(), 1, pixelBytes, file) == pixelBytes;
    ok = std::fclose(file) == 0 && ok;
    return ok;
}

// The awareness the manifest gave the process, asked the way Windows 10 answers it.
LRESULT ThreadDpiAwareness() {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    using GetContextProc = void*(WINAPI*)();
    using AwarenessProc = int(WINAPI*)(void*);
    auto getContext = reinterpret_cast<GetContextProc>(
        reinterpret_cast<void (*)()>(GetProcAddress(user32, "GetThreadDpiAwarenessContext")));
    auto awarenessOf = reinterpret_cast<AwarenessProc>(
        reinterpret_cast<void (*)()>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
    if (getContext == nullptr || awarenessOf == nullptr) return -1;
    return awarenessOf(getContext());
}

// A clock window's canvas size as width * 65536 + height.
LRESULT CanvasSizeOf(HWND window) {
    const SaverCanvas* canvas = SaverCanvasOf(window);
    return canvas == nullptr ? 0 : static_cast<LRESULT>(canvas->Width()) * 65536 + canvas->Height();
}

class Probe final : public SaverWatcher {
public:
    void BeforeFrame(bool faceDirty) override {
        ++framesComposed_;
        if (faceDirty) ++dialRedraws_;
    }

    // Keeps the same halftone stretch of the same frame that the window shows.
    void PreviewPainted(HWND window, HDC frame, int width, int height) override {
        RECT client{0, 0, 0, 0};
        GetClientRect(window, &client);
        if (client.right <= 0 || client.bottom <= 0) return;
        if (!picture_ || picture_->Width() != client.right || picture_->Height() != client.bottom) {
            picture_.reset();
            const long before = object_count::Alive();
            picture_.emplace(client.right, client.bottom);
            pictureObjects_ = object_count::Alive() - before;
        }
        if (!picture_->Valid()) return;
        HDC target = picture_->Dc();
        SetStretchBltMode(target, HALFTONE);
        SetBrushOrgEx(target, 0, 0, nullptr);
        StretchBlt(target, 0, 0, client.right, client.bottom, frame, 0, 0, width, height, SRCCOPY);
    }

    bool Answer(HWND window, UINT message, LRESULT* result) override {
        switch (message) {
            case FramesComposed: *result = framesComposed_; return true;
            case DialRedraws: *result = dialRedraws_; return true;
            // The product's objects: the probe's own picture is not one of them.
            case ObjectsAlive: *result = object_count::Alive() - pictureObjects_; return true;
            case CanvasSize: *result = CanvasSizeOf(window); return true;
            case SavePreview: *result = picture_ && picture_->Valid() && WriteBitmapFile(*picture_) ? 1 : 0; return true;
            case DpiAwareness: *result = ThreadDpiAwareness(); return true;
            default: return false;
        }
    }

private:
    long framesComposed_ = 0;
    long dialRedraws_ = 0;
    std::optional<PixelSection> picture_;
    long pictureObjects_ = 0;
};

Probe probe;
// Installed before WinMain runs; the pointer it sets is constant-initialised, so order is safe.
const bool installed = (InstallSaverWatcher(&probe), true);

}  // namespace
}  // namespace saver_probe
