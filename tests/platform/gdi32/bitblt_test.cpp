// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Copies between DCs (BitBlt, TransparentImage) that reach past either bitmap.
// (GetPixel, SetPixel and GetDIBits are the tests' own means of reading pictures: the toolkit's
// and the game's tests read the same pixels through them here and on Windows.)
#include <gtest/gtest.h>

#include <string>

#include "tests/platform/headless_fixture.h"

namespace {

using BitBltTest = HeadlessTest;

constexpr COLORREF kKey = RGB(246, 140, 197);
constexpr COLORREF kUntouched = RGB(1, 1, 1);

// Every pixel of the source a colour of its own, but (1, 1), which is the key colour.
COLORREF SourceColour(int x, int y) {
    return x == 1 && y == 1 ? kKey : RGB(10 + x, 20 + y, 30);
}

TEST_F(BitBltTest, CopiesReachingPastEitherBitmapTakeTheSourcesPixelsAloneEachWhereItBelongs) {
    // A copy that read on past the end of a source row would bring the next row's first pixels
    // into view; one that read past the last row, whatever lay beyond the bitmap. One that wrote
    // past the destination's row would change the next row's first pixels.
    constexpr int kSourceWidth = 5, kSourceHeight = 4, kDestSide = 12;
    struct Case {
        const char* what;
        int x, y, w, h, sourceX, sourceY;
    } cases[] = {
        {"past the source's right edge", 1, 1, 8, 2, 2, 1},
        {"past the source's bottom edge", 1, 1, 2, 8, 1, 2},
        {"past both", 0, 0, 10, 10, 3, 2},
        {"from before the source's left and top", 3, 3, 6, 6, -2, -1},
        {"the whole source and more around it", 2, 2, 9, 9, -1, -1},
        {"past the destination's right and bottom", 9, 10, 5, 4, 0, 0},
        {"from before the destination's left and top", -3, -2, 6, 6, 0, 0},
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

}  // namespace
