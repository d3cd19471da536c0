// Reads the resources of a built saver file the way Windows does (the file loaded as a data
// module) and prints them, one "name value" line each, for resources.sh to judge.
//
//   resource_reader SCR_PATH
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

void PrintString(HMODULE module, UINT id) {
    char text[512] = {};
    const int length = LoadStringA(module, id, text, sizeof(text));
    std::printf("string-%u %d %s\n", id, length, text);
}

void PrintIconSizes(HMODULE module) {
    std::printf("icon-199");
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        // LR_DEFAULTCOLOR without LR_DEFAULTSIZE: the image of exactly that size, or a scaled one.
        HICON icon = static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(199), IMAGE_ICON, size, size, 0));
        if (icon == nullptr) continue;
        ICONINFO info{};
        BITMAP bitmap{};
        if (GetIconInfo(icon, &info)) {
            GetObjectA(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
            if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
            if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
            std::printf(" %ldx%ld", bitmap.bmWidth, bitmap.bmHeight);
        }
        DestroyIcon(icon);
    }
    std::printf("\n");
}

// The exact sizes the icon resource holds, from its group directory.
void PrintIconDirectory(HMODULE module) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(199), MAKEINTRESOURCEA(14));   // RT_GROUP_ICON
    if (found == nullptr) {
        std::printf("icon-directory none\n");
        return;
    }
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    const int count = data[4] | (data[5] << 8);
    std::printf("icon-directory");
    for (int i = 0; i < count; ++i) {
        const BYTE* entry = data + 6 + i * 14;
        std::printf(" %d", entry[0] == 0 ? 256 : entry[0]);
    }
    std::printf("\n");
}

void PrintManifest(HMODULE module) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));   // RT_MANIFEST
    if (found == nullptr) {
        std::printf("manifest none\n");
        return;
    }
    const char* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
    const std::string text(data, SizeofResource(module, found));
    for (const char* needle : {"PerMonitorV2", "true/pm", "Microsoft.Windows.Common-Controls"}) {
        std::printf("manifest-has %s %s\n", needle, text.find(needle) != std::string::npos ? "yes" : "no");
    }
}

void PrintVersion(const char* path) {
    HMODULE library = LoadLibraryA("version.dll");
    using SizeProc = DWORD(WINAPI*)(LPCSTR, LPDWORD);
    using InfoProc = BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPVOID);
    using QueryProc = BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT);
    auto size = reinterpret_cast<SizeProc>(reinterpret_cast<void (*)()>(GetProcAddress(library, "GetFileVersionInfoSizeA")));
    auto info = reinterpret_cast<InfoProc>(reinterpret_cast<void (*)()>(GetProcAddress(library, "GetFileVersionInfoA")));
    auto query = reinterpret_cast<QueryProc>(reinterpret_cast<void (*)()>(GetProcAddress(library, "VerQueryValueA")));
    if (size == nullptr || info == nullptr || query == nullptr) return;
    DWORD ignored = 0;
    std::string block(size(path, &ignored), '\0');
    if (block.empty() || !info(path, 0, static_cast<DWORD>(block.size()), &block[0])) {
        std::printf("version none\n");
        return;
    }
    for (const char* name : {"CompanyName", "FileDescription", "FileVersion", "InternalName", "LegalCopyright",
                             "OriginalFilename", "ProductName", "ProductVersion"}) {
        void* value = nullptr;
        UINT length = 0;
        const std::string key = std::string("\\StringFileInfo\\040904B0\\") + name;
        if (query(block.data(), key.c_str(), &value, &length)) std::printf("version-%s %s\n", name, static_cast<char*>(value));
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (query(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed != nullptr) {
        std::printf("version-fixed %u.%u.%u.%u\n", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                    HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
    }
    FreeLibrary(library);
}

// The header checksum against the one Windows computes (imagehlp), for scanners that judge a
// program by it.
void PrintChecksum(const char* path) {
    HMODULE library = LoadLibraryA("imagehlp.dll");
    using CheckSumProc = DWORD(WINAPI*)(PCSTR, PDWORD, PDWORD);
    auto check = reinterpret_cast<CheckSumProc>(reinterpret_cast<void (*)()>(GetProcAddress(library, "MapFileAndCheckSumA")));
    DWORD header = 0;
    DWORD computed = 0;
    if (check != nullptr && check(path, &header, &computed) == 0) std::printf("checksum %08lx %08lx\n", header, computed);
    FreeLibrary(library);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    HMODULE module = LoadLibraryExA(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) {
        std::printf("cannot load %s\n", argv[1]);
        return 1;
    }
    for (UINT id : {1u, 106u, 107u, 117u, 118u, 119u}) PrintString(module, id);
    PrintIconDirectory(module);
    PrintIconSizes(module);
    PrintManifest(module);
    FreeLibrary(module);
    PrintVersion(argv[1]);
    PrintChecksum(argv[1]);
    return 0;
}
