// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include <set>
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
    int SoundCount() { return int(Sounds().size()); }
};

TEST_F(QuizTest, SwitchingOnBuildsARoundAtOnce) {
    EXPECT_TRUE(game->quizMode);
    EXPECT_EQ(game->modeBox->currentFrame, 1);
    EXPECT_FALSE(game->prevButton->visible);
    EXPECT_FALSE(game->nextButton->enabled);
    EXPECT_TRUE(game->modeBox->enabled);
    EXPECT_FALSE(game->answered);
    std::set<int> tags;
    for (Image* p : game->pictures) {
        ASSERT_NE(p, nullptr);
        tags.insert(p->tag);
        EXPECT_EQ(p->bitmapId % 100, p->tag);
        EXPECT_TRUE(p->enabled);
    }
    EXPECT_EQ(tags.size(), 3u);
    EXPECT_NE(RightPicture(), nullptr);
    // Top right, bottom right, bottom left.
    Image** p = game->pictures;
    EXPECT_EQ(p[0]->GetX() + p[0]->GetWidth(), 210);
    EXPECT_EQ(p[0]->GetY(), 30);
    EXPECT_EQ(p[1]->GetX() + p[1]->GetWidth(), 210);
    EXPECT_EQ(p[1]->GetY() + p[1]->GetHeight(), 290);
    EXPECT_EQ(p[2]->GetX(), 60);
    EXPECT_EQ(p[2]->GetY() + p[2]->GetHeight(), 290);
}

TEST_F(QuizTest, ARoundDrawsItsNumbersInOrder) {
    LcgSrand(7);
    game->NewRound();
    LcgSrand(7);
    int letters[3];
    for (int p = 0; p < 3; ++p) {
        bool again = true;
        while (again) {
            letters[p] = LcgRand() % 26;
            again = false;
            for (int q = 0; q < p; ++q) again = again || letters[q] == letters[p];
        }
        int variant = LcgRand() % 3;
        EXPECT_EQ(game->pictures[p]->tag, letters[p]);
        EXPECT_EQ(game->pictures[p]->bitmapId, 500 + 100 * variant + letters[p]);
    }
    int answer = LcgRand() % 3;
    bool small = LcgRand() % 2 != 0;
    int colour = LcgRand() % 3;
    EXPECT_EQ(game->letter[0], WCHAR((small ? L'a' : L'A') + letters[answer]));
    EXPECT_EQ(game->upperCase, !small);
    EXPECT_EQ(LetterColour(), game->colours[colour]);
}

TEST_F(QuizTest, AWrongPictureVanishesWithItsSoundAndAnotherTryIsAllowed) {
    Image* wrong = WrongPicture();
    TapFigure(wrong);
    EXPECT_EQ(Sounds().back(), 20007);
    EXPECT_FALSE(wrong->visible);
    EXPECT_FALSE(wrong->enabled);
    EXPECT_FALSE(game->answered);
    TapFigure(WrongPicture());
    int visible = 0;
    for (Image* p : game->pictures) visible += p->visible;
    EXPECT_EQ(visible, 1);
    EXPECT_TRUE(RightPicture()->visible);
}

TEST_F(QuizTest, TheRightPictureSparklesAndANewRoundFollowsALittleAfterTwoSeconds) {
    Image* right = RightPicture();
    TapFigure(right);
    EXPECT_EQ(Sounds().back(), 20002);
    EXPECT_FALSE(game->modeBox->enabled);
    EXPECT_TRUE(game->answered);
    EXPECT_TRUE(game->sparkle->visible);
    EXPECT_EQ(game->animations.count, 1);

    // During the reward, taps change nothing and play nothing, but are still reported.
    int sounds = SoundCount();
    listener.events.clear();
    TapFigure(right);
    TapFigure(WrongPicture());
    TapFigure(game->modeBox);
    EXPECT_EQ(SoundCount(), sounds);
    EXPECT_EQ(game->animations.count, 1);
    EXPECT_TRUE(game->quizMode);
    EXPECT_EQ(listener.events.size(),
              4u);  // two pictures, pressed and released; the box is disabled

    // The new pictures may take the old ones' memory: what they show tells them apart.
    auto shown = [&] {
        std::vector<int32_t> ids;
        for (Image* p : game->pictures) ids.push_back(p->bitmapId);
        return ids;
    };
    std::vector<int32_t> before = shown();
    uint32_t elapsed = TickUntil([&] { return !game->answered; }, 3000);
    EXPECT_GT(elapsed, 2000u);
    EXPECT_LT(elapsed, 2100u);
    EXPECT_NE(shown(), before);
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
        EXPECT_NE(game->pictures[0], nullptr);
        EXPECT_EQ(game->pictures[1], nullptr);
        EXPECT_EQ(game->pictures[0]->bitmapId % 100, 0);
        EXPECT_TRUE(game->prevButton->visible && game->prevButton->enabled);
        TapFigure(game->modeBox);
        EXPECT_TRUE(game->quizMode);
    }
}

}  // namespace
