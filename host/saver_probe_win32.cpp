// Built into the test build of the saver only; see the header.
#include "host/saver_probe_win32.h"

#ifdef TARNWICK_TEST_BUILD

#include <cstdio>
#include <cstdlib>
#include <string>

#include "host/object_count.h"
#include "host/saver_canvas_win32.h"

namespace saver_probe {
namespace {

long framesComposed = 0;
long dialRedraws = 0;

// The last preview picture, top-down 32-bit pixels. Test-only objects: not counted, since the
// counter describes the product.
HDC pictureDc = nullptr;
HBITMAP pictureBitmap = nullptr;
HGDIOBJ pictureDefault = nullptr;
void* picturePixels = nullptr;
int pictureWidth = 0;
int pictureHeight = 0;

void DropPicture() {
    if (pictureDc != nullptr) {
        SelectObject(pictureDc, pictureDefault);
        DeleteDC(pictureDc);
    }
    if (pictureBitmap != nullptr) DeleteObject(pictureBitmap);
    pictureDc = nullptr;
    pictureBitmap = nullptr;
    picturePixels = nullptr;
    pictureWidth = pictureHeight = 0;
}

bool MakePicture(int width, int height) {
    if (pictureDc != nullptr && width == pictureWidth && height == pictureHeight) return true;
    DropPicture();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    pictureDc = CreateCompatibleDC(nullptr);
    pictureBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &picturePixels, nullptr, 0);
    if (pictureDc == nullptr || pictureBitmap == nullptr) {
        DropPicture();
        return false;
    }
    pictureDefault = SelectObject(pictureDc, pictureBitmap);
    pictureWidth = width;
    pictureHeight = height;
    return true;
}

bool WritePicture() {
    const char* folder = std::getenv("TARNWICK_PROBE_DIR");
    if (folder == nullptr || pictureDc == nullptr) return false;
    GdiFlush();
    const std::string path = std::string(folder) + "\\preview.bmp";
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const DWORD pixelBytes = static_cast<DWORD>(pictureWidth) * static_cast<DWORD>(pictureHeight) * 4;
    BITMAPFILEHEADER fileHeader{};
    BITMAPINFOHEADER infoHeader{};
    fileHeader.bfType = 0x4D42;
    fileHeader.bfOffBits = sizeof(fileHeader) + sizeof(infoHeader);
    fileHeader.bfSize = fileHeader.bfOffBits + pixelBytes;
    infoHeader.biSize = sizeof(infoHeader);
    infoHeader.biWidth = pictureWidth;
    infoHeader.biHeight = -pictureHeight;
    infoHeader.biPlanes = 1;
    infoHeader.biBitCount = 32;
    infoHeader.biCompression = BI_RGB;
    bool ok = std::fwrite(&fileHeader, sizeof(fileHeader), 1, file) == 1 &&
              std::fwrite(&infoHeader, sizeof(infoHeader), 1, file) == 1 &&
              std::fwrite(picturePixels, 1, pixelBytes, file) == pixelBytes;
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

}  // namespace

void BeforeFrame(bool faceDirty) {
    ++framesComposed;
    if (faceDirty) ++dialRedraws;
}

void PreviewPainted(HWND window, HDC frame, int width, int height) {
    RECT client{0, 0, 0, 0};
    GetClientRect(window, &client);
    if (client.right <= 0 || client.bottom <= 0 || !MakePicture(client.right, client.bottom)) return;
    SetStretchBltMode(pictureDc, HALFTONE);
    SetBrushOrgEx(pictureDc, 0, 0, nullptr);
    StretchBlt(pictureDc, 0, 0, client.right, client.bottom, frame, 0, 0, width, height, SRCCOPY);
}

bool HandleMessage(UINT message, LRESULT* result) {
    switch (message) {
        case FramesComposed: *result = framesComposed; return true;
        case DialRedraws: *result = dialRedraws; return true;
        case ObjectsAlive: *result = object_count::Alive(); return true;
        case CanvasSize: *result = static_cast<LRESULT>(saverCanvas.width) * 65536 + saverCanvas.height; return true;
        case SavePreview: *result = WritePicture() ? 1 : 0; return true;
        case DpiAwareness: *result = ThreadDpiAwareness(); return true;
        default: return false;
    }
}

}  // namespace saver_probe

#endif
