// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "tests/game/game_fixture.h"

namespace {

using CardsTest = GameTest;

TEST_F(CardsTest, TheFirstCardIsAGreenCapitalAWithItsFirstPictureAndDrawsNothingByChance) {
    EXPECT_EQ(game->letter[0], L'A');
    EXPECT_TRUE(game->upperCase);
    EXPECT_EQ(LetterColour(), RGB(0, 255, 0));
    EXPECT_EQ(game->pictures[0]->bitmapId, 500);
    EXPECT_EQ(game->pictures[1], nullptr);
    EXPECT_EQ(game->modeBox->currentFrame, 0);
    EXPECT_FALSE(game->sparkle->visible);
    EXPECT_EQ(game->sparkle->GetX() * 1000 + game->sparkle->GetY(), 70 * 1000 + 105);
    // Building the first card drew nothing from the generator seeded with the tick.
    int next = LcgRand();
    LcgSrand(kSeed);
    EXPECT_EQ(next, LcgRand());
}

TEST_F(CardsTest, TheArrowsWalkTheRingOfFiftyTwoLettersBothWays) {
    std::wstring forwards;
    for (int i = 0; i < 52; ++i) {
        TapFigure(game->nextButton);
        forwards += game->letter[0];
        EXPECT_EQ(game->upperCase, game->letter[0] <= L'Z');
    }
    EXPECT_EQ(forwards, L"BCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyzA");
    std::wstring backwards;
    for (int i = 0; i < 52; ++i) {
        TapFigure(game->prevButton);
        backwards += game->letter[0];
    }
    EXPECT_EQ(backwards, L"zyxwvutsrqponmlkjihgfedcbaZYXWVUTSRQPONMLKJIHGFEDCBA");
    EXPECT_EQ(test_host::Sounds(), std::vector<int>(104, 20000));
}

TEST_F(CardsTest, EachCardDrawsItsColourThenItsPictureSharedByBothCases) {
    LcgSrand(99);
    TapFigure(game->nextButton);  // "B"
    LcgSrand(99);
    int colour = LcgRand() % 3;
    int variant = LcgRand() % 3;
    EXPECT_EQ(LetterColour(), game->colours[colour]);
    EXPECT_EQ(game->pictures[0]->bitmapId, 500 + 100 * variant + 1);
    EXPECT_EQ(game->pictures[0]->GetX(), 240 - game->pictures[0]->GetWidth() - 30);
    EXPECT_FALSE(game->pictures[0]->enabled);
    for (int i = 0; i < 26; ++i) TapFigure(game->nextButton);
    EXPECT_EQ(game->letter[0], L'b');
    EXPECT_EQ(game->pictures[0]->bitmapId % 100, 1);
}

TEST_F(CardsTest, ArrowsPressOnTouchAndEveryPressAndReleaseIsReported) {
    game->PointerDown(60, 280);
    EXPECT_EQ(game->letter[0], L'z');  // acted at the touch
    EXPECT_TRUE(game->prevButton->pressed);
    game->PointerUp(200, 10);  // lifted elsewhere: the arrow still comes back up
    EXPECT_FALSE(game->prevButton->pressed);
    ASSERT_EQ(listener.events.size(), 2u);
    EXPECT_TRUE(listener.events[0].press && !listener.events[1].press);
    EXPECT_EQ(listener.events[0].figure, game->prevButton);
    EXPECT_EQ(listener.events[1].screen, game.get());
}

TEST_F(CardsTest, TheLetterPictureAndBackgroundTakeNoTaps) {
    Tap(100, 150);  // the letter
    TapFigure(game->pictures[0]);
    Tap(20, 200);  // the background
    EXPECT_TRUE(listener.events.empty());
    EXPECT_TRUE(test_host::Sounds().empty());
}

}  // namespace
