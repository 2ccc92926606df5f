// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "shell/main_window.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/host.h"
#include "platform/hosts/headless/headless_backend.h"
#include "platform/hosts/missing_capability.h"

namespace {

// A headless host whose window may not open. (A second launch beside a running copy, which is
// brought forward instead, the desktop's end-to-end scripts try.)
class TroubledBackend : public platform::HeadlessBackend {
  public:
    TroubledBackend(std::ostream& log, bool noDisplay)
        : HeadlessBackend(platform::HeadlessOptions{}, log), noDisplay(noDisplay) {}
    bool OpenWindow(const std::wstring& title) override {
        return !noDisplay && HeadlessBackend::OpenWindow(title);
    }
    bool noDisplay;
};

class MainWindowTest : public ::testing::Test {
  protected:
    void Start(bool noDisplay) {
        platform::Start(std::make_unique<TroubledBackend>(log, noDisplay));
    }
    void TearDown() override { platform::Stop(); }
    std::ostringstream log;
};

TEST_F(MainWindowTest, AWindowThatCannotBeCreatedEndsWithCodeOneWhichTheHostTellsInOneLine) {
    Start(true);
    testing::internal::CaptureStderr();
    int code = WinMain(GetModuleHandleW(nullptr), nullptr, const_cast<LPWSTR>(L""), SW_SHOW);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");  // the program has no console
    EXPECT_EQ(code, 1);
    EXPECT_EQ(TheMainWindow.app, nullptr);

    testing::internal::CaptureStderr();
    platform::ReportIfNoWindow(code, "the display refused it");
    platform::ReportIfNoWindow(0, "a game that ended as it should");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "quillby: no window (the display refused it); ending\n");
}

TEST_F(MainWindowTest, APaintWithoutTheAppValidatesTheWindowAndPaintsNothing) {
    Start(false);
    RegisterMainWindowClass(GetModuleHandleW(nullptr), L"FIRST");
    HWND window = CreateWindowExW(0, L"FIRST", L"Quillby", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(TheMainWindow.app, nullptr);
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
    Start(false);
    ASSERT_TRUE(StartInstance(GetModuleHandleW(nullptr), SW_SHOW));
    ASSERT_NE(TheMainWindow.app, nullptr);
    HWND window = platform::MainWindow();
    PostMessageW(window, WM_DESTROY, 0, 0);
    PostMessageW(window, WM_LBUTTONDOWN, 0, MAKELPARAM(120, 150));
    MSG msg;
    ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
    DispatchMessageW(&msg);
    EXPECT_EQ(TheMainWindow.app, nullptr);
    ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
    DispatchMessageW(&msg);  // a stylus message after the App is gone: ignored
    EXPECT_FALSE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, WPARAM(0));
    DestroyWindow(window);
}

}  // namespace
