// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include <gtest/gtest.h>

#include "platform/gdi_objects.h"
#include "tests/platform/headless_fixture.h"

namespace {

using GdiTest = HeadlessTest;

TEST_F(GdiTest, AMemoryDcStartsWithAOneByOneMonochromeBitmap) {
    HDC windowDc = GetDC(window);
    HDC memory = CreateCompatibleDC(windowDc);
    HBITMAP full = CreateCompatibleBitmap(windowDc, 7, 5);
    HBITMAP mono = CreateCompatibleBitmap(memory, 7, 5);
    BITMAP info{};
    ASSERT_EQ(GetObjectW(full, sizeof info, &info), int(sizeof info));
    EXPECT_EQ(info.bmWidth, 7);
    EXPECT_EQ(info.bmHeight, 5);
    EXPECT_EQ(info.bmBitsPixel, 32);
    GetObjectW(mono, sizeof info, &info);
    EXPECT_EQ(info.bmBitsPixel, 1);

    HGDIOBJ initial = SelectObject(memory, full);
    GetObjectW(initial, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 1);
    EXPECT_EQ(info.bmHeight, 1);
    EXPECT_EQ(SelectObject(memory, initial), full);  // gives back what was selected before
    EXPECT_TRUE(DeleteObject(full));
    EXPECT_TRUE(DeleteObject(mono));
    EXPECT_TRUE(DeleteDC(memory));
    ReleaseDC(window, windowDc);
    EXPECT_EQ(GetDeviceCaps(windowDc, HORZRES), 0);  // released
}

TEST_F(GdiTest, ABitmapHeldByADcIsNotDeleted) {
    ColourSurface s(window, 2, 2, 0);
    EXPECT_FALSE(DeleteObject(s.bitmap));
    EXPECT_EQ(platform::ToBitmap(s.bitmap)->surface.width, 2);
}

TEST_F(GdiTest, BitBltClipsToSourceAndDestination) {
    ColourSurface source(window, 4, 4, RGB(9, 9, 9));
    source.Set(3, 3, RGB(1, 1, 1));
    ColourSurface dest(window, 6, 6, RGB(0, 0, 0));
    // Reaches past both bitmaps on every side: only the overlap is copied.
    EXPECT_TRUE(BitBlt(dest.dc, 3, 3, 10, 10, source.dc, 1, 1, SRCCOPY));
    EXPECT_EQ(dest.Get(3, 3), RGB(9, 9, 9));
    EXPECT_EQ(dest.Get(5, 5), RGB(1, 1, 1));
    EXPECT_EQ(dest.Get(2, 2), RGB(0, 0, 0));

    EXPECT_TRUE(BitBlt(dest.dc, -2, -2, 4, 4, source.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(dest.Get(0, 0), RGB(9, 9, 9));
    EXPECT_TRUE(BitBlt(dest.dc, 0, 0, 4, 4, source.dc, -3, -3, SRCCOPY));
    EXPECT_EQ(dest.Get(0, 0), RGB(9, 9, 9));  // nothing to read at -3: left as it was
    EXPECT_EQ(dest.Get(3, 3), RGB(9, 9, 9));
}

TEST_F(GdiTest, BitBltWithinOneBitmapHandlesOverlap) {
    ColourSurface s(window, 4, 1, 0);
    for (int x = 0; x < 4; ++x) s.Set(x, 0, RGB(x, 0, 0));
    BitBlt(s.dc, 1, 0, 3, 1, s.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(s.Get(1, 0), RGB(0, 0, 0));
    EXPECT_EQ(s.Get(3, 0), RGB(2, 0, 0));
}

TEST_F(GdiTest, TransparentImageLeavesOutEveryKeyPixel) {
    const COLORREF key = RGB(246, 140, 197);
    ColourSurface source(window, 3, 3, RGB(50, 60, 70));
    source.Set(1, 1, key);
    source.Set(0, 2, key);
    ColourSurface dest(window, 3, 3, RGB(1, 2, 3));
    EXPECT_TRUE(TransparentImage(dest.dc, 0, 0, 3, 3, source.dc, 0, 0, 3, 3, key));
    EXPECT_EQ(dest.Get(0, 0), RGB(50, 60, 70));
    EXPECT_EQ(dest.Get(1, 1), RGB(1, 2, 3));
    EXPECT_EQ(dest.Get(0, 2), RGB(1, 2, 3));
    EXPECT_EQ(dest.Get(2, 2), RGB(50, 60, 70));
    // Partly off the destination: clipped, nothing outside is touched.
    ColourSurface edge(window, 3, 3, RGB(1, 2, 3));
    EXPECT_TRUE(TransparentImage(edge.dc, 2, -1, 3, 3, source.dc, 0, 0, 3, 3, key));
    EXPECT_EQ(edge.Get(2, 0), RGB(50, 60, 70));  // source (0, 1)
    EXPECT_EQ(edge.Get(2, 1), RGB(1, 2, 3));     // source (0, 2) is a key pixel
    EXPECT_EQ(edge.Get(1, 0), RGB(1, 2, 3));
}

TEST_F(GdiTest, BlitsOntoTheWindowAreClippedToTheDisplay) {
    ColourSurface source(window, 20, 20, RGB(7, 7, 7));
    HDC dc = GetDC(window);
    EXPECT_TRUE(BitBlt(dc, 230, 310, 20, 20, source.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(WindowPixel(239, 319), RGB(7, 7, 7));
    ReleaseDC(window, dc);
}

TEST_F(GdiTest, RectangleFillsInsideAnOutlineAndNullPenDrawsNone) {
    ColourSurface s(window, 6, 6, RGB(0, 0, 0));
    HGDIOBJ brush = CreateSolidBrush(RGB(0, 200, 0));
    HGDIOBJ oldBrush = SelectObject(s.dc, brush);
    Rectangle(s.dc, 0, 0, 5, 5);  // default black pen outlines; right and bottom excluded
    EXPECT_EQ(s.Get(2, 2), RGB(0, 200, 0));
    EXPECT_EQ(s.Get(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(s.Get(5, 5), RGB(0, 0, 0));

    HGDIOBJ pen = CreatePen(PS_NULL, 1, 0);
    HGDIOBJ oldPen = SelectObject(s.dc, pen);
    Rectangle(s.dc, 0, 0, 6, 6);
    EXPECT_EQ(s.Get(0, 0), RGB(0, 200, 0));
    EXPECT_EQ(s.Get(4, 4), RGB(0, 200, 0));
    EXPECT_EQ(s.Get(5, 5), RGB(0, 0, 0));
    SelectObject(s.dc, oldPen);
    SelectObject(s.dc, oldBrush);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_TRUE(DeleteObject(brush));
}

TEST_F(GdiTest, StaleHandlesAreRefused) {
    HDC dc = CreateCompatibleDC(nullptr);
    DeleteDC(dc);
    EXPECT_FALSE(DeleteDC(dc));
    EXPECT_FALSE(BitBlt(dc, 0, 0, 1, 1, dc, 0, 0, SRCCOPY));
    EXPECT_EQ(SelectObject(dc, GetStockObject(WHITE_BRUSH)), nullptr);
}

TEST(RandomTest, TheSequenceIsFixedBySeed) {
    LcgSrand(1);
    int expected[] = {41, 18467, 6334, 26500, 19169};
    for (int e : expected) EXPECT_EQ(LcgRand(), e);
    LcgSrand(12345);
    int first = LcgRand();
    LcgSrand(12345);
    EXPECT_EQ(LcgRand(), first);
}

}  // namespace
