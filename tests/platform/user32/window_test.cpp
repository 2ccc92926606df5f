// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include <gtest/gtest.h>

#include "tests/platform/headless_fixture.h"

namespace {

using WindowTest = HeadlessTest;

// What the window's procedure received since last asked.
std::vector<UINT> Delivered() {
    std::vector<UINT> out;
    for (const MSG& m : HeadlessTest::Received()) out.push_back(m.message);
    HeadlessTest::Received().clear();
    return out;
}

// Takes `count` messages off the queue without dispatching them.
std::vector<UINT> Take(int count) {
    std::vector<UINT> out;
    MSG msg;
    while (count-- > 0 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) out.push_back(msg.message);
    return out;
}

TEST_F(WindowTest, CreationSendsCreateInsideTheCallAndDefaultsBelowTheTaskBar) {
    EXPECT_EQ(Delivered().front(), UINT(WM_CREATE));
    HWND second = CreateWindowExW(0, L"TEST", L"x", 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
    RECT r;
    GetClientRect(second, &r);
    EXPECT_TRUE(r.right == 240 && r.bottom == 294) << r.right << 'x' << r.bottom;
    EXPECT_EQ(CreateWindowExW(0, L"NOPE", L"x", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
              nullptr);
    EXPECT_EQ(FindWindowW(L"TEST", L"TEST"), window);
    EXPECT_EQ(FindWindowW(L"TEST", L"Other"), nullptr);
}

TEST_F(WindowTest, PaintComesWhenTheQueueIsOtherwiseEmptyUntilValidated) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);  // showing painted
    Delivered();
    UpdateWindow(window);  // nothing is invalid: no paint
    EXPECT_TRUE(Delivered().empty());
    InvalidateRect(window, nullptr, FALSE);
    PostMessageW(window, WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(Take(3), (std::vector<UINT>{WM_LBUTTONUP, WM_PAINT, WM_PAINT}));  // not validated
    UpdateWindow(window);  // paints at once, which validates
    EXPECT_EQ(Delivered(), std::vector<UINT>{WM_PAINT});
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(WindowTest, AQuickSecondTapInPlaceBecomesADoubleClick) {
    platform::PostStylus(true, 50, 50);
    platform::PostStylus(false, 50, 50);
    platform::PostStylus(true, 51, 49);  // soon and close: a double click
    platform::PostStylus(true, 51, 49);  // a third press starts afresh
    backend->Advance(600);
    platform::PostStylus(true, 51, 49);  // too late
    EXPECT_EQ(Take(5), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                                          WM_LBUTTONDOWN, WM_LBUTTONDOWN}));
}

}  // namespace
