// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Rectangle arithmetic as Windows does it, through the public calls. (Points, offsets and empty
// rectangles are every clipped copy's: tests/platform/gdi32/gdi_test.cpp.)
#include <gtest/gtest.h>

#include "shell/platform.h"

namespace {

bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(RectTest, IntersectionsAndUnionsFollowWindows) {
    struct Case {
        RECT a, b;
        BOOL intersects;
        RECT intersection;
        BOOL unites;
        RECT union_;
    } cases[] = {
        // Overlapping.
        {{0, 0, 10, 10}, {5, 5, 20, 20}, TRUE, {5, 5, 10, 10}, TRUE, {0, 0, 20, 20}},
        // Touching edges share no pixel.
        {{0, 0, 10, 10}, {10, 0, 20, 10}, FALSE, {0, 0, 0, 0}, TRUE, {0, 0, 20, 10}},
        // An empty rectangle adds nothing to a union, wherever it lies.
        {{5, 5, 5, 50}, {1, 2, 3, 4}, FALSE, {0, 0, 0, 0}, TRUE, {1, 2, 3, 4}},
        {{1, 2, 3, 4}, {-50, -50, -60, 0}, FALSE, {0, 0, 0, 0}, TRUE, {1, 2, 3, 4}},
        {{0, 0, 0, 0}, {7, 7, 7, 9}, FALSE, {0, 0, 0, 0}, FALSE, {0, 0, 0, 0}},
        // Negative coordinates are ordinary.
        {{-10, -10, 0, 0}, {-5, -20, 5, -5}, TRUE, {-5, -10, 0, -5}, TRUE, {-10, -20, 5, 0}},
    };
    for (const Case& c : cases) {
        RECT out{99, 99, 99, 99};
        EXPECT_EQ(IntersectRect(&out, &c.a, &c.b), c.intersects);
        EXPECT_TRUE(Same(out, c.intersection))
            << out.left << ',' << out.top << ',' << out.right << ',' << out.bottom;
        out = RECT{99, 99, 99, 99};
        EXPECT_EQ(UnionRect(&out, &c.a, &c.b), c.unites);
        EXPECT_TRUE(Same(out, c.union_));
    }
}

}  // namespace
