// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Windows and their class: creation, where a window goes by default, and finding it.
#include <gtest/gtest.h>

#include "tests/platform/headless_fixture.h"

namespace {

using WindowTest = HeadlessTest;

TEST_F(WindowTest, CreationSendsCreateInsideTheCallAndDefaultsBelowTheTaskBar) {
    EXPECT_EQ(Delivered().front(), UINT(WM_CREATE));
    HWND second = CreateWindowExW(0, L"TEST", L"x", 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
    RECT r;
    GetClientRect(second, &r);
    EXPECT_TRUE(r.right == 240 && r.bottom == 294) << r.right << 'x' << r.bottom;
    EXPECT_EQ(CreateWindowExW(0, L"NOPE", L"x", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
              nullptr);
    EXPECT_EQ(FindWindowW(L"TEST", L"TEST"), window);
    EXPECT_EQ(FindWindowW(L"TEST", L"Other"), nullptr);
}

}  // namespace
