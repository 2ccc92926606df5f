// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Memory DCs and the objects they hold: the one-by-one monochrome bitmap they start with, what
// they give back, what may not be deleted while held, and stale handles refused.
#include <gtest/gtest.h>

#include <vector>

#include "tests/platform/headless_fixture.h"

namespace {

using DcTest = HeadlessTest;

TEST_F(DcTest, AMemoryDcStartsWithAOneByOneMonochromeBitmapAndKeepsWhatItHolds) {
    HDC windowDc = GetDC(window);
    HDC memory = CreateCompatibleDC(windowDc);
    HBITMAP full = CreateCompatibleBitmap(windowDc, 7, 5);
    HBITMAP mono = CreateCompatibleBitmap(memory, 7, 5);
    BITMAP info{};
    ASSERT_EQ(GetObjectW(full, sizeof info, &info), int(sizeof info));
    EXPECT_TRUE(info.bmWidth == 7 && info.bmHeight == 5 && info.bmBitsPixel == 32);
    GetObjectW(mono, sizeof info, &info);
    EXPECT_EQ(info.bmBitsPixel, 1);
    HGDIOBJ initial = SelectObject(memory, full);
    GetObjectW(initial, sizeof info, &info);
    EXPECT_TRUE(info.bmWidth == 1 && info.bmHeight == 1);
    EXPECT_FALSE(DeleteObject(full));                // held by the DC
    EXPECT_EQ(SelectObject(memory, initial), full);  // gives back what was selected before
    EXPECT_TRUE(DeleteObject(full) && DeleteObject(mono) && DeleteDC(memory));
    ReleaseDC(window, windowDc);
    EXPECT_EQ(GetDeviceCaps(windowDc, HORZRES), 0);  // released
    // Stale handles are refused.
    EXPECT_FALSE(DeleteDC(memory));
    EXPECT_FALSE(BitBlt(memory, 0, 0, 1, 1, memory, 0, 0, SRCCOPY));
    EXPECT_EQ(SelectObject(memory, GetStockObject(WHITE_BRUSH)), nullptr);
}

}  // namespace
