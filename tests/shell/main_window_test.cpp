// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "shell/main_window.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/headless/headless_backend.h"
#include "platform/host.h"

namespace {

// A headless host whose window cannot open, or where another copy already runs.
class TroubledBackend : public platform::HeadlessBackend {
  public:
    TroubledBackend(std::ostream& log, bool noDisplay, bool otherCopy)
        : HeadlessBackend(platform::HeadlessOptions{}, log),
          noDisplay(noDisplay),
          otherCopy(otherCopy) {}
    bool OpenWindow(const std::wstring& title) override {
        opened = true;
        return !noDisplay && HeadlessBackend::OpenWindow(title);
    }
    bool FindRunningInstance() override { return otherCopy; }
    void BringRunningInstanceForward() override { broughtForward = true; }
    bool noDisplay, otherCopy;
    bool opened = false, broughtForward = false;
};

class MainWindowTest : public ::testing::Test {
  protected:
    TroubledBackend* Start(bool noDisplay, bool otherCopy) {
        auto backend = std::make_unique<TroubledBackend>(log, noDisplay, otherCopy);
        TroubledBackend* b = backend.get();
        platform::Start(std::move(backend));
        return b;
    }
    int Run() {
        return WinMain(GetModuleHandleW(nullptr), nullptr, const_cast<LPWSTR>(L""), SW_SHOW);
    }
    void TearDown() override { platform::Stop(); }
    std::ostringstream log;
};

TEST_F(MainWindowTest, WithoutAWindowOrBesideARunningCopyTheProgramSaysSoAndEnds) {
    struct Case {
        bool noDisplay, otherCopy;
        int code;
        const char* said;
    } cases[] = {
        {true, false, 1, "quillby: cannot create the main window\n"},
        // The first is brought forward instead, and no window is made.
        {false, true, 0, "quillby: Quillby is already running; bringing it to the front\n"},
    };
    for (const Case& c : cases) {
        TroubledBackend* b = Start(c.noDisplay, c.otherCopy);
        testing::internal::CaptureStderr();
        EXPECT_EQ(Run(), c.code);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.said);
        EXPECT_EQ(TheApp, nullptr);
        EXPECT_EQ(b->broughtForward, c.otherCopy);
        EXPECT_EQ(b->opened, c.noDisplay);
        platform::Stop();
    }
}

TEST_F(MainWindowTest, APaintWithoutTheAppValidatesTheWindowAndPaintsNothing) {
    Start(false, false);
    RegisterMainWindowClass(GetModuleHandleW(nullptr), L"FIRST");
    HWND window = CreateWindowExW(0, L"FIRST", L"Quillby", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(TheApp, nullptr);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 240);  // moved to cover the display while being created
    EXPECT_EQ(client.bottom, 320);
    UpdateWindow(window);  // WM_PAINT with no App
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));   // validated: no paint due
    MainWindowProc(window, WM_LBUTTONDOWN, 0, MAKELPARAM(10, 10));  // ignored, no crash
}

TEST_F(MainWindowTest, AfterDestroyNothingTicksOrRoutesAndTheLoopEndsWithZero) {
    Start(false, false);
    ASSERT_TRUE(StartInstance(GetModuleHandleW(nullptr), SW_SHOW));
    ASSERT_NE(TheApp, nullptr);
    HWND window = platform::MainWindow();
    PostMessageW(window, WM_DESTROY, 0, 0);
    PostMessageW(window, WM_LBUTTONDOWN, 0, MAKELPARAM(120, 150));
    MSG msg;
    ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
    DispatchMessageW(&msg);
    EXPECT_EQ(TheApp, nullptr);
    ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
    DispatchMessageW(&msg);  // a stylus message after the App is gone: ignored
    EXPECT_FALSE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, WPARAM(0));
    DestroyWindow(window);
}

}  // namespace
