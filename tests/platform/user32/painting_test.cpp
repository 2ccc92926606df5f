// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Painting: a paint comes when nothing else waits, until the window is validated.
#include <gtest/gtest.h>

#include <vector>

#include "tests/platform/headless_fixture.h"

namespace {

using PaintingTest = HeadlessTest;

TEST_F(PaintingTest, PaintComesWhenTheQueueIsOtherwiseEmptyUntilValidated) {
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

}  // namespace
