// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The queue: the stylus's presses as messages, a quick second tap in place a double click.
#include <gtest/gtest.h>

#include <vector>

#include "tests/platform/headless_fixture.h"

namespace {

using MessageQueueTest = HeadlessTest;

TEST_F(MessageQueueTest, AQuickSecondTapInPlaceBecomesADoubleClick) {
    platform::PostStylus(true, 50, 50);
    platform::PostStylus(false, 50, 50);
    platform::PostStylus(true, 51, 49);  // soon and close: a double click
    platform::PostStylus(true, 51, 49);  // a third press starts afresh
    backend->Advance(600);
    platform::PostStylus(true, 51, 49);  // too late
    EXPECT_EQ(Take(5), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                                          WM_LBUTTONDOWN, WM_LBUTTONDOWN}));
}

}  // namespace
