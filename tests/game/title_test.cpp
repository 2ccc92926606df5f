// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include <set>

#include "game/title_screen.h"
#include "tests/game/game_fixture.h"
#include "toolkit/text.h"

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
    Figure* Label(int i) { return title->figures.GetAt(i + 1); }
    std::unique_ptr<TitleScreen> title;
    ScreenRecorder first, second;
};

TEST_F(TitleTest, ThePictureAndTwoLabelsStandWhereTheyShould) {
    ASSERT_EQ(title->figures.count, 3);
    EXPECT_EQ(title->background, title->figures.GetAt(0));
    EXPECT_EQ(title->background->GetWidth(), 240);
    std::set<int> xs{Label(0)->GetX(), Label(1)->GetX()};
    EXPECT_EQ(xs, (std::set<int>{45, 165}));
    EXPECT_EQ(Label(0)->GetY(), 300);
    EXPECT_NEAR(Label(0)->GetHeight(), 12, 1);  // GDI rounds ascent and descent apart
    EXPECT_FALSE(Label(0)->enabled);
}

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
