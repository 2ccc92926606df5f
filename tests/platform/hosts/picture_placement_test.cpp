// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "platform/hosts/picture_placement.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using platform::FitPicture;
using platform::PictureLayout;

TEST(DesktopLayoutTest, TheWindowIsTheLargestWholeScaleThatFitsTheScreen) {
    struct Case {
        int width, height, scale;
    } cases[] = {
        {1920, 1050, 3}, {1280, 999, 2}, {1280, 1000, 3}, {800, 480, 1}, {700, 2100, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::DefaultScale(c.width, c.height, 40), c.scale)
            << c.width << "x" << c.height;
}

TEST(DesktopLayoutTest, ThePictureFillsItsWindowOrIsCentredOnAFullScreen) {
    struct Case {
        int width, height, wanted, scale, left, top;
    } cases[] = {
        {480, 640, 2, 2, 0, 0},      {720, 960, 3, 3, 0, 0},       {1920, 1080, 0, 3, 600, 60},
        {1080, 1920, 0, 4, 60, 320}, {1920, 1080, 2, 2, 720, 220}, {1920, 1080, 9, 3, 600, 60},
        {200, 300, 0, 1, 0, 0},  // too small: the top-left corner at 1
    };
    for (const Case& c : cases) {
        PictureLayout l = FitPicture(c.width, c.height, c.wanted);
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " at " << c.wanted);
        EXPECT_EQ((std::array{l.scale, l.left, l.top, l.width, l.height}),
                  (std::array{c.scale, c.left, c.top, 240 * c.scale, 320 * c.scale}));
    }
}

}  // namespace
