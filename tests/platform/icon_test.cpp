// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "platform/icon.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "platform/bytes.h"
#include "platform/png.h"
#include "shell/platform.h"

namespace {

using platform::ReadU32;

TEST(WindowIconTest, ShowsTheMenuIconsPixelsAndRefusesADamagedFile) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(101), RT_GROUP_ICON);
    ASSERT_TRUE(resource);
    auto* ico = static_cast<const uint8_t*>(LockResource(LoadResource(module, resource)));
    size_t size = SizeofResource(module, resource);
    for (int side : {16, 32}) {
        SCOPED_TRACE(side);
        std::vector<uint32_t> pixels = platform::IconPixels(ico, size, side);
        platform::Surface png;
        ASSERT_TRUE(
            platform::ReadPng("resources/icons/quillby-" + std::to_string(side) + ".png", png));
        ASSERT_EQ(pixels.size(), size_t(side * side));
        EXPECT_EQ(pixels[0] >> 24, 0u);  // the head is round: clear corners, an opaque middle
        EXPECT_EQ(pixels[size_t(side / 2 * side + side / 2)] >> 24, 0xFFu);
        for (int i = 0; i < side * side; ++i) {
            COLORREF c = png.At(i % side, i / side);
            uint32_t rgb =
                uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
            uint32_t p = pixels[size_t(i)];
            ASSERT_EQ(p >> 24 ? p & 0xFFFFFF : rgb, rgb) << i;  // where the icon is opaque
        }
    }
    EXPECT_TRUE(platform::IconPixels(ico, size, 48).empty());
    // The 16-pixel image is the file's last: one byte short, it is refused, not read past the end.
    EXPECT_TRUE(platform::IconPixels(ico, size - 1, 16).empty());

    // A bitmap whose own width differs from its entry's is refused, not read past its rows.
    size_t entry16 = 6 + 16, at = ReadU32(ico + entry16 + 12);
    ASSERT_EQ(ico[entry16], 16);
    for (int32_t width : {1, 8, 15, 17, 32, -16}) {
        auto copy = std::make_unique<uint8_t[]>(size);
        std::memcpy(copy.get(), ico, size);
        std::memcpy(copy.get() + at + 4, &width, 4);
        EXPECT_TRUE(platform::IconPixels(copy.get(), size, 16).empty()) << width;
        EXPECT_EQ(platform::IconPixels(copy.get(), size, 32).size(), 32u * 32) << width;
    }
}

}  // namespace
