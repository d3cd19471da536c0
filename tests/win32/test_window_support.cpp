#include "tests/win32/test_window_support.h"

#include <gtest/gtest.h>

namespace {
constexpr char ClassName[] = "TarnwickTestWindow";
}  // namespace

TestWindow::TestWindow(int clientWidth, int clientHeight, bool visible) {
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = ClassName;
        return RegisterClassA(&windowClass) != 0;
    }();
    EXPECT_TRUE(registered);
    window_ = CreateWindowExA(0, ClassName, "test", WS_POPUP | (visible ? WS_VISIBLE : 0), 10, 10, clientWidth,
                              clientHeight, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// A test may have destroyed it already, as a control panel closing would.
TestWindow::~TestWindow() {
    if (IsWindow(window_)) DestroyWindow(window_);
}

HWND TestWindow::AddChild(const char* className, DWORD style, int id, int width, int height, const char* text) {
    return CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, 10, 10, width, height, window_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}
