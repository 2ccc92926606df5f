// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include <set>

#include "tests/game/game_fixture.h"

namespace {

using CardsTest = GameTest;

// (How the first card looks, a green capital A with its first picture, the golden card shows.)
TEST_F(CardsTest, TheFirstCardDrawsNothingFromTheGeneratorSeededWithTheTick) {
    int next = LcgRand();
    LcgSrand(kSeed);
    EXPECT_EQ(next, LcgRand());
}

TEST_F(CardsTest, TheArrowsWalkTheRingOfFiftyTwoLettersBothWaysEachCardDrawnAfresh) {
    std::wstring forwards;
    std::set<COLORREF> colours;
    std::set<int> variants;
    for (int i = 0; i < 52; ++i) {
        TapFigure(game->nextButton);
        WCHAR c = game->letter[0];
        forwards += c;
        EXPECT_EQ(game->upperCase, c <= L'Z');
        // Any of the three colours and of the letter's three pictures, the same for both cases.
        Image* picture = game->pictures[0];
        EXPECT_EQ(picture->bitmapId % 100, c - (game->upperCase ? L'A' : L'a')) << char(c);
        EXPECT_EQ(picture->GetX(), 240 - picture->GetWidth() - 30) << char(c);
        EXPECT_FALSE(picture->enabled);
        colours.insert(LetterColour());
        variants.insert(picture->bitmapId / 100);
    }
    EXPECT_EQ(forwards, L"BCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyzA");
    EXPECT_EQ(colours, (std::set<COLORREF>(game->colours, game->colours + 3)));
    EXPECT_EQ(variants, (std::set<int>{5, 6, 7}));
    std::wstring backwards;
    for (int i = 0; i < 52; ++i) {
        TapFigure(game->prevButton);
        backwards += game->letter[0];
    }
    EXPECT_EQ(backwards, L"zyxwvutsrqponmlkjihgfedcbaZYXWVUTSRQPONMLKJIHGFEDCBA");
    EXPECT_EQ(test_host::Sounds(), std::vector<int>(104, 20000));
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
