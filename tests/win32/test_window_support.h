// A plain top-level popup for the component tests: the owner of a dialog's controls, or the
// control panel's preview area. Its window rectangle is its client rectangle.
#pragma once

#include <windows.h>

class TestWindow {
public:
    explicit TestWindow(int clientWidth = 640, int clientHeight = 480, bool visible = false);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    HWND get() const { return window_; }

    HWND AddChild(const char* className, DWORD style, int id, int width, int height, const char* text = "");

private:
    HWND window_ = nullptr;
};
