// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "platform/hosts/win32/window_plan.h"

#include <gtest/gtest.h>

namespace {

using platform::win32::PlanWindow;

// A caption of 31 pixels and borders of 8, as Windows 10 draws a fixed-size window.
constexpr RECT kFrame{-8, -31, 8, 8};

struct WindowedCase {
    const char* what;
    RECT workArea;
    int scale;
    int expectScale;
    RECT expectOuter;
};

TEST(WindowPlanTest, AWindowHoldsThePictureAtTheLargestScaleThatFitsTheWorkArea) {
    const WindowedCase cases[] = {
        {"full HD above a task bar", {0, 0, 1920, 1040}, 0, 3, {592, 20, 1328, 1019}},
        {"a small laptop", {0, 0, 1366, 728}, 0, 2, {435, 24, 931, 703}},
        {"just too short for scale 2", {0, 0, 1024, 670}, 0, 1, {384, 155, 640, 514}},
        {"a work area beside a task bar on the left",
         {62, 0, 1920, 1080},
         0,
         3,
         {623, 40, 1359, 1039}},
        {"smaller than the display: at the corner", {0, 0, 200, 300}, 0, 1, {0, 0, 256, 359}},
        {"a scale asked for", {0, 0, 1920, 1040}, 2, 2, {712, 180, 1208, 859}},
        {"a scale larger than fits", {0, 0, 1366, 728}, 4, 4, {195, 0, 1171, 1319}},
    };
    for (const WindowedCase& c : cases) {
        auto plan = PlanWindow(c.scale, false, c.workArea, RECT{0, 0, 9999, 9999}, kFrame);
        EXPECT_FALSE(plan.popup) << c.what;
        EXPECT_EQ(plan.layout.scale, c.expectScale) << c.what;
        EXPECT_EQ(plan.layout.left + plan.layout.top, 0) << c.what;  // the picture fills it
        EXPECT_EQ(plan.layout.width, 240 * c.expectScale) << c.what;
        EXPECT_TRUE(EqualRect(&plan.outer, &c.expectOuter))
            << c.what << ": " << plan.outer.left << "," << plan.outer.top << " " << plan.outer.right
            << "," << plan.outer.bottom;
    }
}

}  // namespace
