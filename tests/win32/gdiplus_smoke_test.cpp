#include <windows.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

// The platform under the component tests: GDI+ starts and draws into a memory DC.
TEST(Platform, GdiplusStartsAndFillsAMemoryBitmap) {
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    ASSERT_EQ(Gdiplus::GdiplusStartup(&token, &input, nullptr), Gdiplus::Ok);
    Gdiplus::GdiplusShutdown(token);
}
