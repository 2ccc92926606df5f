// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Pixels through GDI's own calls: copies that reach past their source, GetPixel and SetPixel,
// and whole bitmaps through device-independent bits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/platform/headless_fixture.h"

namespace {

using GdiPixelsTest = HeadlessTest;

constexpr COLORREF kKey = RGB(246, 140, 197);
constexpr COLORREF kUntouched = RGB(1, 1, 1);

// Every pixel of the source a colour of its own, but (1, 1), which is the key colour.
COLORREF SourceColour(int x, int y) {
    return x == 1 && y == 1 ? kKey : RGB(10 + x, 20 + y, 30);
}

TEST_F(GdiPixelsTest, CopiesReachingPastTheSourceTakeItsPixelsAloneEachWhereItBelongs) {
    // A copy that read on past the end of a source row would bring the next row's first pixels
    // into view; one that read past the last row, whatever lay beyond the bitmap.
    constexpr int kSourceWidth = 5, kSourceHeight = 4, kDestSide = 12;
    struct Case {
        const char* what;
        int x, y, w, h, sourceX, sourceY;
    } cases[] = {
        {"past the right edge", 1, 1, 8, 2, 2, 1},
        {"past the bottom edge", 1, 1, 2, 8, 1, 2},
        {"past both", 0, 0, 10, 10, 3, 2},
        {"from before the left and top", 3, 3, 6, 6, -2, -1},
        {"the whole source and more around it", 2, 2, 9, 9, -1, -1},
    };
    for (bool keyed : {false, true})
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(keyed ? "TransparentImage " : "BitBlt ") + c.what);
            ColourSurface source(window, kSourceWidth, kSourceHeight, 0);
            for (int y = 0; y < kSourceHeight; ++y)
                for (int x = 0; x < kSourceWidth; ++x) source.Set(x, y, SourceColour(x, y));
            ColourSurface dest(window, kDestSide, kDestSide, kUntouched);
            if (keyed)
                ASSERT_TRUE(TransparentImage(dest.dc, c.x, c.y, c.w, c.h, source.dc, c.sourceX,
                                             c.sourceY, c.w, c.h, kKey));
            else
                ASSERT_TRUE(
                    BitBlt(dest.dc, c.x, c.y, c.w, c.h, source.dc, c.sourceX, c.sourceY, SRCCOPY));
            for (int y = 0; y < kDestSide; ++y)
                for (int x = 0; x < kDestSide; ++x) {
                    int sx = c.sourceX + x - c.x, sy = c.sourceY + y - c.y;
                    bool copied = x >= c.x && y >= c.y && x < c.x + c.w && y < c.y + c.h &&
                                  sx >= 0 && sy >= 0 && sx < kSourceWidth && sy < kSourceHeight;
                    COLORREF expected = copied ? SourceColour(sx, sy) : kUntouched;
                    if (keyed && expected == kKey) expected = kUntouched;
                    ASSERT_EQ(dest.Get(x, y), expected) << x << ',' << y;
                }
        }
}

TEST_F(GdiPixelsTest, SetPixelAndGetPixelStayInsideTheBitmapAndMonochromeKeepsBlackOrWhite) {
    ColourSurface colour(window, 3, 2, RGB(5, 6, 7));
    EXPECT_EQ(SetPixel(colour.dc, 2, 1, RGB(200, 100, 50)), RGB(200, 100, 50));
    EXPECT_EQ(GetPixel(colour.dc, 2, 1), RGB(200, 100, 50));
    EXPECT_EQ(GetPixel(colour.dc, 1, 1), RGB(5, 6, 7));
    for (POINT outside : {POINT{3, 0}, POINT{0, 2}, POINT{-1, 0}}) {
        EXPECT_EQ(GetPixel(colour.dc, outside.x, outside.y), CLR_INVALID);
        EXPECT_EQ(SetPixel(colour.dc, outside.x, outside.y, 0), CLR_INVALID);
    }
    EXPECT_EQ(GetPixel(nullptr, 0, 0), CLR_INVALID);

    HDC memory = CreateCompatibleDC(nullptr);
    HBITMAP mono = CreateCompatibleBitmap(memory, 2, 1);  // like the DC's first bitmap
    HGDIOBJ previous = SelectObject(memory, mono);
    EXPECT_EQ(SetPixel(memory, 0, 0, RGB(200, 200, 200)), RGB(255, 255, 255));
    EXPECT_EQ(SetPixel(memory, 1, 0, RGB(90, 20, 20)), RGB(0, 0, 0));
    SelectObject(memory, previous);
    DeleteObject(mono);
    DeleteDC(memory);
}

TEST_F(GdiPixelsTest, DibBitsCarryWholeBitmapsTopDownOrBottomUpInBlueGreenRedOrder) {
    HDC dc = GetDC(window);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 3, 2);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    ASSERT_NE(GetDIBits(dc, bitmap, 0, 0, nullptr, &info, DIB_RGB_COLORS), 0);  // describe it
    EXPECT_EQ(info.bmiHeader.biWidth, 3);
    EXPECT_EQ(info.bmiHeader.biHeight, 2);
    EXPECT_EQ(info.bmiHeader.biBitCount, 32);
    EXPECT_EQ(info.bmiHeader.biSizeImage, 24u);

    // Written bottom-up: the first row of the buffer is the bitmap's last.
    info.bmiHeader.biCompression = BI_RGB;
    const std::vector<RGBQUAD> bottomUp{{1, 2, 3, 0},    {4, 5, 6, 0},    {7, 8, 9, 0},
                                        {10, 11, 12, 0}, {13, 14, 15, 0}, {16, 17, 18, 0}};
    ASSERT_EQ(SetDIBits(dc, bitmap, 0, 2, bottomUp.data(), &info, DIB_RGB_COLORS), 2);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    EXPECT_EQ(GetPixel(memory, 0, 1), RGB(3, 2, 1));
    EXPECT_EQ(GetPixel(memory, 2, 0), RGB(18, 17, 16));
    SelectObject(memory, previous);
    DeleteDC(memory);

    // Read top-down: the rows come the other way round; from line 1, only the last is left.
    info.bmiHeader.biHeight = -2;
    std::vector<RGBQUAD> topDown(6, RGBQUAD{0xEE, 0xEE, 0xEE, 0xEE});
    ASSERT_EQ(GetDIBits(dc, bitmap, 0, 5, topDown.data(), &info, DIB_RGB_COLORS), 2);
    EXPECT_EQ(topDown[0].rgbBlue, 10);
    EXPECT_EQ(topDown[3].rgbRed, 3);
    EXPECT_EQ(topDown[5].rgbReserved, 0);
    std::vector<RGBQUAD> last(3, RGBQUAD{0xEE, 0xEE, 0xEE, 0xEE});
    ASSERT_EQ(GetDIBits(dc, bitmap, 1, 1, last.data(), &info, DIB_RGB_COLORS), 1);
    EXPECT_EQ(last[0].rgbBlue, 1);

    // Only whole bitmaps in 32 bits.
    info.bmiHeader.biBitCount = 24;
    EXPECT_EQ(GetDIBits(dc, bitmap, 0, 2, topDown.data(), &info, DIB_RGB_COLORS), 0);
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biWidth = 4;
    EXPECT_EQ(SetDIBits(dc, bitmap, 0, 2, bottomUp.data(), &info, DIB_RGB_COLORS), 0);
    ReleaseDC(window, dc);
    DeleteObject(bitmap);
}

}  // namespace
