// The saver window in this process, driven message by message: canvas set-up per mode, release
// on close, what happens after release, previews of odd sizes, the password-check gate.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "host/win32/host_state_win32.h"
#include "common/object_count.h"
#include "host/win32/saver_window_win32.h"
#include "settings/clock_settings.h"
#include "tests/win32/test_window_support.h"
#include "tools/offscreen_canvas_win32.h"

namespace {

// Stand-ins for the calls whose failures the window must live with: a cursor left of 0 cannot be
// read, and the timer is refused until more than timerRefusals calls were made.
namespace fake {
int timerRefusals = 0, timerCalls = 0, passwordChecks = 0;
POINT cursor{500, 500};
BOOL WINAPI GetCursorPos(LPPOINT point) { return (*point = cursor).x >= 0; }
UINT_PTR WINAPI SetTimer(HWND, UINT_PTR id, UINT, TIMERPROC) { return ++timerCalls > timerRefusals ? id : 0; }
bool ConfirmClose() { return ++passwordChecks > 0; }
}  // namespace fake

class SaverWindowTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gdiplus_.Started());
        SetDefaultSettings(currentSettings);
        hostState.instance = GetModuleHandleA(nullptr);
        lstrcpyA(hostState.className, "TARNWICK_WINDOW_TEST");
        lstrcpyA(hostState.productName, "Tarnwick");
        static const bool registered = RegisterSaverClass(GetModuleHandleA(nullptr));
        ASSERT_TRUE(registered);
        objectsBefore_ = object_count::Alive();
    }

    void TearDown() override {
        if (saver_ != nullptr && IsWindow(saver_)) DestroyWindow(saver_);
        DrainQuit();
        passwordCheckActive = false;
        saverWindowCalls = {GetCursorPos, SetTimer, ConfirmClose};
    }

    bool CreatePreview(HWND parent) {
        hostState.mode = SaverMode::Preview;
        hostState.parentWindow = parent;
        if (!CreateSaverWindow(GetModuleHandleA(nullptr), SW_SHOW, NewRun())) return false;
        saver_ = GetWindow(parent, GW_CHILD);
        return saver_ != nullptr;
    }

    bool CreateFullScreen() {
        hostState.mode = SaverMode::FullScreen;
        hostState.parentWindow = nullptr;
        if (!CreateSaverWindow(GetModuleHandleA(nullptr), SW_SHOW, NewRun())) return false;
        saver_ = FindWindowA(hostState.className, nullptr);
        return saver_ != nullptr;
    }

    // True when a quit message with code 0 is waiting; takes it out of the queue.
    static bool TakeQuit() {
        MSG message;
        if (!PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) return false;
        return message.wParam == 0;
    }
    static void DrainQuit() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    // A run per window made; all stay until the windows of the test are gone.
    SaverRun& NewRun() { return *runs_.emplace_back(std::make_unique<SaverRun>()); }

    long LayersHeld() const { return object_count::Alive() - objectsBefore_; }
    // Two memory contexts, their bitmaps and the font each keeps selected.
    static constexpr long BothLayers = 6;
    const SaverCanvas& Canvas() const { return *SaverCanvasOf(saver_); }

    HWND saver_ = nullptr;
    GdiplusSession gdiplus_;
    std::vector<std::unique_ptr<SaverRun>> runs_;
    long objectsBefore_ = 0;
};

TEST_F(SaverWindowTest, PreviewFillsItsParentWithAnEnlargedCanvas) {
    TestWindow parent(152, 112, true);
    ASSERT_TRUE(CreatePreview(parent.get()));
    RECT client;
    GetClientRect(saver_, &client);
    EXPECT_EQ(client.right, 152);
    EXPECT_EQ(client.bottom, 112);
    EXPECT_EQ(Canvas().Width(), 912);
    EXPECT_EQ(Canvas().Height(), 672);
    ASSERT_NE(Canvas().FrameLayer(), nullptr);
    ASSERT_NE(Canvas().FaceLayer(), nullptr);
    EXPECT_EQ(LayersHeld(), BothLayers);
    EXPECT_FALSE(Canvas().faceDirty) << "the first frame was painted before CreateSaverWindow returned";
    // The frame holds the clock: white at its corner, not the bitmap's initial black.
    EXPECT_EQ(GetPixel(Canvas().FrameLayer(), 2, 2) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(SaverWindowTest, FullScreenCoversTheScreen) {
    ASSERT_TRUE(CreateFullScreen());
    EXPECT_EQ(Canvas().Width(), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(Canvas().Height(), GetSystemMetrics(SM_CYSCREEN));
    EXPECT_TRUE(GetWindowLongA(saver_, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(SendMessageA(saver_, WM_POWERBROADCAST, 0, 0), 1);
    EXPECT_EQ(SendMessageA(saver_, WM_SYSCOMMAND, SC_SCREENSAVE, 0), 0);
    EXPECT_EQ(SendMessageA(saver_, WM_SYSCOMMAND, SC_CLOSE, 0), 0);
    EXPECT_EQ(LayersHeld(), BothLayers) << "system commands must not close the saver";
    SendMessageA(saver_, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(LayersHeld(), 0);
    EXPECT_TRUE(TakeQuit());
}

TEST_F(SaverWindowTest, MessagesAfterReleaseNeitherDrawNorReleaseAgain) {
    TestWindow parent(152, 112, true);
    ASSERT_TRUE(CreatePreview(parent.get()));
    EXPECT_EQ(SendMessageA(saver_, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(LayersHeld(), 0);
    EXPECT_EQ(Canvas().FrameLayer(), nullptr);
    EXPECT_EQ(Canvas().FaceLayer(), nullptr);
    EXPECT_TRUE(TakeQuit());
    // The close handler does not destroy the window; the loop would end. Until it does, more
    // messages may come: none of them may touch the released layers or count a second release.
    SendMessageA(saver_, WM_TIMER, 1, 0);
    InvalidateRect(saver_, nullptr, FALSE);
    UpdateWindow(saver_);
    SendMessageA(saver_, WM_PAINT, 0, 0);
    SendMessageA(saver_, WM_CLOSE, 0, 0);
    SendMessageA(saver_, WM_POWERBROADCAST, 4, 0);
    EXPECT_EQ(LayersHeld(), 0);
    EXPECT_FALSE(TakeQuit()) << "released twice";
    DestroyWindow(saver_);
    EXPECT_EQ(LayersHeld(), 0);
    EXPECT_FALSE(TakeQuit()) << "released again on destroy";
}

TEST_F(SaverWindowTest, DestroyingTheParentEndsThePreview) {
    TestWindow parent(152, 112, true);
    ASSERT_TRUE(CreatePreview(parent.get()));
    DestroyWindow(parent.get());
    EXPECT_FALSE(IsWindow(saver_));
    EXPECT_EQ(LayersHeld(), 0);
    EXPECT_TRUE(TakeQuit());
}

TEST_F(SaverWindowTest, PreviewIgnoresInputButEndsOnSuspend) {
    TestWindow parent(152, 112, true);
    ASSERT_TRUE(CreatePreview(parent.get()));
    for (UINT message : {WM_KEYDOWN, WM_SYSKEYDOWN, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN, WM_MOUSEMOVE}) {
        EXPECT_EQ(SendMessageA(saver_, message, 0, 0), 0);
    }
    EXPECT_EQ(SendMessageA(saver_, WM_SETCURSOR, reinterpret_cast<WPARAM>(saver_), HTCLIENT), 0);
    EXPECT_EQ(LayersHeld(), BothLayers);
    EXPECT_FALSE(TakeQuit());
    EXPECT_EQ(SendMessageA(saver_, WM_POWERBROADCAST, 4, 0), 0);
    EXPECT_EQ(LayersHeld(), 0);
    EXPECT_TRUE(TakeQuit());
}

TEST_F(SaverWindowTest, PreviewWithAnEmptySideDrawsNothing) {
    TestWindow parent(152, 0, true);
    ASSERT_TRUE(CreatePreview(parent.get()));
    EXPECT_EQ(Canvas().Width(), 0);
    EXPECT_EQ(Canvas().Height(), 0);
    EXPECT_EQ(Canvas().FrameLayer(), nullptr);
    EXPECT_EQ(LayersHeld(), 0);
    InvalidateRect(saver_, nullptr, FALSE);
    SendMessageA(saver_, WM_TIMER, 1, 0);
    SendMessageA(saver_, WM_PAINT, 0, 0);
    SendMessageA(saver_, WM_CLOSE, 0, 0);
    EXPECT_TRUE(TakeQuit());
}

TEST_F(SaverWindowTest, LayersThatCannotBeMadeLeaveAWindowThatStillEnds) {
    // A preview this large asks for two bitmaps of about 4 GB each, which GDI refuses.
    TestWindow parent(32000, 32000, true);
    RECT client;
    GetClientRect(parent.get(), &client);
    ASSERT_TRUE(CreatePreview(parent.get()));
    EXPECT_EQ(Canvas().Width(), client.right);
    if (Canvas().FrameLayer() != nullptr) GTEST_SKIP() << "this system made a " << client.right << " x " << client.bottom << " bitmap";
    EXPECT_EQ(Canvas().FaceLayer(), nullptr);
    EXPECT_EQ(LayersHeld(), 0) << "a half-made layer pair is given back";
    SendMessageA(saver_, WM_PAINT, 0, 0);
    SendMessageA(saver_, WM_TIMER, 1, 0);
    SendMessageA(saver_, WM_POWERBROADCAST, 4, 0);
    EXPECT_TRUE(TakeQuit());
}

TEST_F(SaverWindowTest, CloseIsANoOpWhileThePasswordCheckRuns) {
    ASSERT_TRUE(CreateFullScreen());
    passwordCheckActive = true;
    SendMessageA(saver_, WM_CLOSE, 0, 0);
    SendMessageA(saver_, WM_LBUTTONDOWN, 0, 0);
    EXPECT_EQ(LayersHeld(), BothLayers);
    EXPECT_FALSE(TakeQuit());
    passwordCheckActive = false;
    // Not the Windows 9x platform: no password asked, the saver may close.
    EXPECT_TRUE(ConfirmClose());
    SendMessageA(saver_, WM_CLOSE, 0, 0);
    EXPECT_EQ(LayersHeld(), 0);
    EXPECT_TRUE(TakeQuit());
}

TEST_F(SaverWindowTest, LivesWithARefusedTimerAnUnreadableCursorAndLateInput) {
    saverWindowCalls = {fake::GetCursorPos, fake::SetTimer, fake::ConfirmClose};
    fake::timerRefusals = 1000;
    ASSERT_TRUE(CreateFullScreen());
    EXPECT_FALSE(Canvas().faceDirty) << "the first frame is shown without a timer";
    fake::timerRefusals = fake::timerCalls = 0;
    for (int i = 0; i < 2; ++i) SendMessageA(saver_, WM_NULL, 0, 0);
    EXPECT_EQ(fake::timerCalls, 1) << "asked again until granted, then no more";
    // The anchor taken at creation must hold through an unreadable cursor, 10 pixels away.
    for (POINT cursor : {POINT{-1, -1}, POINT{510, 490}}) {
        fake::cursor = cursor;
        SendMessageA(saver_, WM_MOUSEMOVE, 0, 0);
    }
    EXPECT_EQ(LayersHeld(), BothLayers) << "an unreadable cursor ended the saver or moved its anchor";
    // The second key comes after the release, before the loop ends: no second password check.
    for (int i = 0; i < 2; ++i) SendMessageA(saver_, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(fake::passwordChecks, 1);
    EXPECT_TRUE(TakeQuit());
}

TEST_F(SaverWindowTest, ParentThatIsNoWindowFailsCreation) {
    hostState.mode = SaverMode::Preview;
    hostState.parentWindow = reinterpret_cast<HWND>(uintptr_t{123456789});
    EXPECT_FALSE(CreateSaverWindow(GetModuleHandleA(nullptr), SW_SHOW, NewRun()));
    EXPECT_EQ(LayersHeld(), 0);
}

}  // namespace

// While the display is off a tick shows nothing; on or dimmed again, a frame is due at once.
TEST_F(SaverWindowTest, NoFramesWhileTheDisplayIsOff) {
    ASSERT_TRUE(CreateFullScreen());
    UpdateWindow(saver_);
    struct {
        GUID setting;
        DWORD length;
        DWORD state;
    } notice{{0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}}, sizeof(DWORD), 0};
    const auto tell = [&](DWORD state) {
        notice.state = state;
        return SendMessageA(saver_, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(&notice));
    };
    EXPECT_EQ(tell(0), 0);
    SendMessageA(saver_, WM_TIMER, 1, 0);
    EXPECT_FALSE(GetUpdateRect(saver_, nullptr, FALSE)) << "a frame while the display is off";
    EXPECT_EQ(tell(2), 0);
    EXPECT_TRUE(GetUpdateRect(saver_, nullptr, FALSE)) << "no fresh frame when the display is dimmed again";
    UpdateWindow(saver_);
    // A tick within the same second has nothing new to show.
    Sleep(1000);
    SendMessageA(saver_, WM_TIMER, 1, 0);
    EXPECT_TRUE(GetUpdateRect(saver_, nullptr, FALSE)) << "the seconds hand stopped after the display came back";
}
