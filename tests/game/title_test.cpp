// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// (Where the picture and its labels stand, the golden title shows; that the labels take no tap,
// the session runs.)
#include "game/title_screen.h"
#include "tests/game/game_fixture.h"

namespace {

class TitleTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        title = std::make_unique<TitleScreen>(window, GetModuleHandleW(nullptr));
        title->screenListeners.InsertAt(&first, 0);
        title->screenListeners.InsertAt(&second, 1);
    }
    void TearDown() override {
        title.reset();
        HostTest::TearDown();
    }
    std::unique_ptr<TitleScreen> title;
    ScreenRecorder first, second;
};

TEST_F(TitleTest, APressOnThePictureGoesToEveryListenerInOrderAndReleasesToNone) {
    title->PointerDown(120, 150);
    title->PointerUp(120, 150);
    ASSERT_EQ(first.events.size(), 1u);
    ASSERT_EQ(second.events.size(), 1u);
    EXPECT_TRUE(first.events[0].press);
    EXPECT_EQ(first.events[0].screen, title.get());
    EXPECT_EQ(first.events[0].figure, title->background);
}

}  // namespace
