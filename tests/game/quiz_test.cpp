// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include <set>
#include <utility>
#include <vector>

#include "tests/game/game_fixture.h"

namespace {

class QuizTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        TapFigure(game->modeBox);
        listener.events.clear();
    }
    std::vector<int32_t> Shown() {
        std::vector<int32_t> ids;
        for (Image* p : game->pictures) ids.push_back(p ? p->bitmapId : 0);
        return ids;
    }
};

// Built at once when switched on, then every round: and a child must not learn that the answer
// is never in one of the three places.
TEST_F(QuizTest, EveryRoundShowsThreeLettersAndAsksForOneWhichEachPlaceSometimesHolds) {
    EXPECT_TRUE(game->quizMode);
    EXPECT_EQ(game->modeBox->currentFrame, 1);
    EXPECT_FALSE(game->prevButton->visible || game->nextButton->enabled);
    std::set<std::pair<bool, bool>> answerPlaces;  // on the right, at the top
    for (int round = 0; round < 50; ++round) {
        if (round) game->NewRound();
        EXPECT_TRUE(game->modeBox->enabled && !game->answered);
        std::set<int> tags;
        for (Image* p : game->pictures) {
            ASSERT_NE(p, nullptr);
            tags.insert(p->tag);
            EXPECT_EQ(p->bitmapId % 100, p->tag);
            EXPECT_TRUE(p->enabled);
        }
        EXPECT_EQ(tags.size(), 3u);
        Image* right = RightPicture();
        ASSERT_NE(right, nullptr);
        answerPlaces.insert({right->GetX() > 120, right->GetY() < 160});
    }
    EXPECT_EQ(answerPlaces.size(), 3u);
}

TEST_F(QuizTest, AWrongPictureVanishesWithItsSoundAndAnotherTryIsAllowed) {
    Image* wrong = WrongPicture();
    TapFigure(wrong);
    EXPECT_EQ(test_host::Sounds().back(), 20007);
    EXPECT_FALSE(wrong->visible || wrong->enabled || game->answered);
    TapFigure(WrongPicture());
    int visible = 0;
    for (Image* p : game->pictures) visible += p->visible;
    EXPECT_EQ(visible, 1);
    EXPECT_TRUE(RightPicture()->visible);
}

TEST_F(QuizTest, TheRightPictureSparklesAndANewRoundFollowsALittleAfterTwoSeconds) {
    Image* right = RightPicture();
    TapFigure(right);
    EXPECT_EQ(test_host::Sounds().back(), 20002);
    EXPECT_FALSE(game->modeBox->enabled);
    EXPECT_TRUE(game->answered && game->sparkle->visible);
    EXPECT_EQ(game->animations.count, 1);

    // During the reward, taps change nothing and play nothing, but are still reported.
    size_t sounds = test_host::Sounds().size();
    listener.events.clear();
    TapFigure(right);
    TapFigure(WrongPicture());
    TapFigure(game->modeBox);
    EXPECT_EQ(test_host::Sounds().size(), sounds);
    EXPECT_EQ(game->animations.count, 1);
    EXPECT_TRUE(game->quizMode);
    EXPECT_EQ(listener.events.size(), 4u);  // two pictures, pressed and released; the box is off

    // The new pictures may take the old ones' memory: what they show tells them apart.
    std::vector<int32_t> before = Shown();
    uint32_t elapsed = TickUntil([&] { return !game->answered; }, 3000);
    EXPECT_GT(elapsed, 2000u);
    EXPECT_LT(elapsed, 2100u);
    EXPECT_NE(Shown(), before);
    EXPECT_FALSE(game->sparkle->visible);
    EXPECT_EQ(game->animations.count, 0);
    EXPECT_TRUE(game->modeBox->enabled);
}

TEST_F(QuizTest, SwitchingOffShowsTheFirstLetterInTheCaseOfTheLastQuizLetter) {
    for (int round = 0; round < 8; ++round) {
        bool small = !game->upperCase;
        TapFigure(game->modeBox);
        EXPECT_FALSE(game->quizMode);
        EXPECT_EQ(game->letter[0], small ? L'a' : L'A');
        std::vector<int32_t> card = Shown();
        EXPECT_TRUE(card[0] > 0 && card[0] % 100 == 0 && card[1] == 0) << card[0] << ' ' << card[1];
        EXPECT_TRUE(game->prevButton->visible && game->prevButton->enabled);
        TapFigure(game->modeBox);
        EXPECT_TRUE(game->quizMode);
    }
}

}  // namespace
