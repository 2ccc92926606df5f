// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "platform/layout.h"

#include <gtest/gtest.h>

#include <array>
#include <utility>

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

TEST(DesktopLayoutTest, PressesMapToTheDisplayPixelUnderThemAndReleasesAreClamped) {
    const PictureLayout window2 = FitPicture(480, 640, 2), window3 = FitPicture(720, 960, 3),
                        full = FitPicture(1920, 1080, 0);  // scale 3 at (600, 60)
    struct Case {
        const PictureLayout& layout;
        int wx, wy;
        bool hits;  // a press here is on the picture
        int x, y;   // the display pixel of a press, or where a release lands
    } cases[] = {
        {window2, 0, 0, true, 0, 0},         {window2, 3, 5, true, 1, 2},
        {window2, 479, 639, true, 239, 319}, {window3, 2, 2, true, 0, 0},
        {window3, 272, 60, true, 90, 20},    {window3, 719, 959, true, 239, 319},
        {window2, -1, 100, false, 0, 50},    {full, 600, 60, true, 0, 0},
        {full, 1319, 1019, true, 239, 319},  {full, 600 + 681, 100, true, 227, 13},
        {full, 599, 500, false, 0, 146},     {full, 1320, 500, false, 239, 146},
        {full, 900, 59, false, 100, 0},      {full, 900, 1020, false, 100, 319},
        {full, -40, -5, false, 0, 0},        {full, 5000, 300, false, 239, 80},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "scale " << c.layout.scale << " at " << c.wx << "," << c.wy);
        auto press = platform::PressAt(c.layout, c.wx, c.wy);
        ASSERT_EQ(press.has_value(), c.hits);
        platform::PixelPoint release = platform::ReleaseAt(c.layout, c.wx, c.wy);
        EXPECT_EQ(std::pair(release.x, release.y), std::pair(c.x, c.y));
        EXPECT_EQ(press ? std::pair(press->x, press->y) : std::pair(c.x, c.y), std::pair(c.x, c.y));
    }
}

}  // namespace
