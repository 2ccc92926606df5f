// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Device-independent bitmaps as the platform reads them from a resource, malformed ones
// included.
#include "platform/formats/dib.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "shell/platform.h"
#include "tests/platform/formats/image_bytes.h"

namespace {

using namespace image_bytes;

// A device-independent bitmap as a resource holds it: BITMAPINFOHEADER (one plane, BI_RGB,
// 72 dpi, all colours important), palette, pixel rows padded to four bytes, the bottom row
// first unless the height is negative.
Bytes Dib(int width, int height, int bits, uint32_t colours, const Bytes& palette,
          const Bytes& rows) {
    return U32(40) + U32(width) + U32(height) + U16(1) + U16(bits) + U32(0) + U32(rows.size()) +
           U32(2835) + U32(2835) + U32(colours) + U32(0) + palette + rows;
}

std::optional<std::vector<COLORREF>> DecodeBitmap(const Bytes& dib) {
    platform::Surface s;
    if (!platform::DecodeDib(Exact(dib).get(), dib.size(), s)) return std::nullopt;
    return s.pixels;
}

const Bytes kPalette{0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0};  // blue-green-red-reserved
constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);
// 3x2, four bits: the file's first row (blue green red) is the picture's bottom row.
const Bytes kFourBitRows{0x21, 0x00, 0x00, 0x00, 0x01, 0x20, 0x00, 0x00};

TEST(DecodeDibTest, ReadsRowsInTheirOrderAndRefusesWhatItCannotReadWhole) {
    using Pixels = std::vector<COLORREF>;
    EXPECT_EQ(DecodeBitmap(Dib(3, 2, 4, 3, kPalette, kFourBitRows)),
              (Pixels{kRed, kGreen, kBlue, kBlue, kGreen, kRed}));
    EXPECT_EQ(DecodeBitmap(Dib(3, -2, 4, 3, kPalette, kFourBitRows)),  // top-down
              (Pixels{kBlue, kGreen, kRed, kRed, kGreen, kBlue}));
    // 2x2, rows of six bytes padded to eight; bottom row grey and red, top row blue and green.
    // A true-colour DIB may carry a colour table, for palette devices; the pixels follow it.
    const Bytes rows{0x40, 0x40, 0x40, 0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0};
    for (uint32_t colours : {0, 3})
        EXPECT_EQ(DecodeBitmap(Dib(2, 2, 24, colours, colours ? kPalette : Bytes{}, rows)),
                  (Pixels{kBlue, kGreen, RGB(0x40, 0x40, 0x40), kRed}));

    Bytes good = Dib(3, 2, 4, 3, kPalette, kFourBitRows);
    for (size_t cut = 0; cut < good.size(); ++cut)
        EXPECT_FALSE(DecodeBitmap(Bytes(good.begin(), good.begin() + cut))) << cut;
    // More colours than four bits index, colour tables reaching far past the end, no width.
    EXPECT_FALSE(DecodeBitmap(Dib(3, 2, 4, 17, Bytes(17 * 4, 0), kFourBitRows)));
    EXPECT_FALSE(DecodeBitmap(Dib(3, 2, 8, 0x40000000u, kPalette, kFourBitRows)));
    EXPECT_FALSE(DecodeBitmap(Dib(2, 2, 24, 0xFFFFFFFFu, {}, Bytes(16, 0))));
    EXPECT_FALSE(DecodeBitmap(Dib(0, 2, 4, 3, kPalette, kFourBitRows)));
}

}  // namespace
