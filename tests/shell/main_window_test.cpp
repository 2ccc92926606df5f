// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "shell/main_window.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/host.h"
#include "platform/hosts/headless/headless_backend.h"

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

TEST_F(MainWindowTest, AWindowThatCannotBeCreatedEndsTheProgramWithOneLineAndCodeOne) {
    Start(true);
    testing::internal::CaptureStderr();
    EXPECT_EQ(WinMain(GetModuleHandleW(nullptr), nullptr, const_cast<LPWSTR>(L""), SW_SHOW), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "quillby: cannot create the main window\n");
    EXPECT_EQ(TheApp, nullptr);
}

TEST_F(MainWindowTest, APaintWithoutTheAppValidatesTheWindowAndPaintsNothing) {
    Start(false);
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
    Start(false);
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
