// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include <gtest/gtest.h>

#include "tests/platform/headless_fixture.h"

namespace {

using WindowTest = HeadlessTest;

std::vector<UINT> Messages() {
    std::vector<UINT> out;
    for (const MSG& m : HeadlessTest::Received()) out.push_back(m.message);
    return out;
}

TEST_F(WindowTest, CreationSendsCreateInsideTheCallAndDefaultsBelowTheTaskBar) {
    platform::Stop();
    Restart(platform::HeadlessOptions{});
    EXPECT_EQ(Received().front().message, UINT(WM_CREATE));
    HWND second = CreateWindowExW(0, L"TEST", L"x", 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
    RECT r;
    GetClientRect(second, &r);
    EXPECT_EQ(r.right, 240);
    EXPECT_EQ(r.bottom, 294);
    EXPECT_EQ(CreateWindowExW(0, L"NOPE", L"x", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
              nullptr);
}

TEST_F(WindowTest, CloseDestroysTheWindowWhichSendsDestroy) {
    Received().clear();
    PostMessageW(window, WM_CLOSE, 0, 0);
    MSG msg;
    ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
    DispatchMessageW(&msg);
    EXPECT_EQ(Messages(), (std::vector<UINT>{WM_CLOSE, WM_DESTROY, WM_NCDESTROY}));
    RECT r;
    EXPECT_FALSE(GetClientRect(window, &r));
    EXPECT_FALSE(PostMessageW(window, WM_LBUTTONDOWN, 0, 0));
}

TEST_F(WindowTest, PeekWithoutRemovalLeavesTheMessageAndQuitComesAfterPostedOnes) {
    PostMessageW(window, WM_LBUTTONDOWN, 0, MAKELPARAM(3, 4));
    PostQuitMessage(7);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, UINT(WM_LBUTTONDOWN));
    ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, UINT(WM_LBUTTONDOWN));
    EXPECT_EQ(LOWORD(msg.lParam), 3);
    EXPECT_FALSE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, UINT(WM_QUIT));
    EXPECT_EQ(msg.wParam, WPARAM(7));
}

TEST_F(WindowTest, PaintComesWhenTheQueueIsOtherwiseEmptyUntilValidated) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);  // showing painted
    InvalidateRect(window, nullptr, FALSE);
    PostMessageW(window, WM_LBUTTONUP, 0, 0);
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, UINT(WM_LBUTTONUP));
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, UINT(WM_PAINT));
    // Not yet validated: due again.
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, UINT(WM_PAINT));
    PAINTSTRUCT ps;
    BeginPaint(window, &ps);
    EXPECT_EQ(ps.rcPaint.right, 240);
    EndPaint(window, &ps);
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(WindowTest, UpdateWindowPaintsAtOnceOnlyWhenSomethingIsInvalid) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Received().clear();
    UpdateWindow(window);
    EXPECT_TRUE(Messages().empty());
    RECT r{1, 1, 5, 5};
    InvalidateRect(window, &r, FALSE);
    UpdateWindow(window);
    EXPECT_EQ(Messages(), (std::vector<UINT>{WM_PAINT}));
}

TEST_F(WindowTest, AnEmptyLookAdvancesVirtualTimeByOneMillisecond) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    DWORD before = GetTickCount();
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(GetTickCount(), before + 1);
}

TEST_F(WindowTest, AQuickSecondTapInPlaceBecomesADoubleClick) {
    platform::PostStylus(true, 50, 50);
    platform::PostStylus(false, 50, 50);
    platform::PostStylus(true, 51, 49);  // soon and close: a double click
    platform::PostStylus(true, 51, 49);  // a third press starts afresh
    backend->Advance(600);
    platform::PostStylus(true, 51, 49);  // too late
    MSG msg;
    std::vector<UINT> got;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        if (msg.message != WM_PAINT)
            got.push_back(msg.message);
        else
            DispatchMessageW(&msg);
    EXPECT_EQ(got, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                                      WM_LBUTTONDOWN, WM_LBUTTONDOWN}));
}

TEST_F(WindowTest, FindWindowMatchesClassAndCaption) {
    EXPECT_EQ(FindWindowW(L"TEST", L"Test"), window);
    EXPECT_EQ(FindWindowW(L"TEST", L"Other"), nullptr);
    EXPECT_TRUE(
        SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<ULONG_PTR>(window) | 1)));
}

}  // namespace
