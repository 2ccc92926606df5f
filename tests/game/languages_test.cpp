// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The game in the thread's UI language: that alphabet's ring of cards and its quiz letters, each
// shown with pictures the language has under the numbers the game uses.
#include <set>
#include <string>

#include "game/game_screen.h"
#include "tests/support/host_test.h"

namespace {

struct Language {
    LANGID id;
    const wchar_t* capitals;
    const wchar_t* smalls;
    bool saysWords;  // whether its voice says the pictures' words as well as the letters' names
};
const Language kLanguages[] = {
    {MAKELANGID(0x07, 0x01), L"ABCDEFGHIJKLMNOPQRSTUVWXYZÄÖÜ", L"abcdefghijklmnopqrstuvwxyzäöü",
     false},
    {MAKELANGID(0x0C, 0x01), L"ABCDEFGHIJKLMNOPQRSTUVWXYZ", L"abcdefghijklmnopqrstuvwxyz", false},
    {MAKELANGID(0x0A, 0x01), L"ABCDEFGHIJKLMNÑOPQRSTUVWXYZ", L"abcdefghijklmnñopqrstuvwxyz", false},
    {MAKELANGID(0x10, 0x01), L"ABCDEFGHIJKLMNOPQRSTUVWXYZ", L"abcdefghijklmnopqrstuvwxyz", true},
};
// A clip of this size or less holds no sound: a wave file's header alone.
constexpr DWORD kSilentClip = 44;

class LanguagesTest : public HostTest {
  protected:
    DWORD StartTick() const override { return 4242; }
    void Open(const Language& language) {
        SetThreadUILanguage(language.id);
        game = std::make_unique<GameScreen>(window, GetModuleHandleW(nullptr));
        game->active = true;
    }
    void TearDown() override {
        game.reset();
        HostTest::TearDown();
    }
    void TapFigure(Figure* f) {
        int x = f->GetX() + f->GetWidth() / 2, y = f->GetY() + f->GetHeight() / 2;
        game->PointerDown(x, y);
        game->PointerUp(x, y);
    }
    // Whether the language has its own picture under this number (not English's by default).
    static bool Has(const Language& language, int bitmap) {
        return FindResourceExW(GetModuleHandleW(nullptr), RT_BITMAP, MAKEINTRESOURCEW(bitmap),
                               language.id) != nullptr;
    }
    // The size of the language's own clip under this number; 0 where it has none (English's
    // would then be said).
    static DWORD Clip(const Language& language, int wave) {
        HMODULE module = GetModuleHandleW(nullptr);
        HRSRC found = FindResourceExW(module, L"WAVE", MAKEINTRESOURCEW(wave), language.id);
        return found ? SizeofResource(module, found) : 0;
    }
    std::unique_ptr<GameScreen> game;
};

TEST_F(LanguagesTest, TheCardsWalkTheLanguagesAlphabetCapitalsThenSmallLetters) {
    for (const Language& language : kLanguages) {
        SCOPED_TRACE(testing::Message() << std::hex << language.id);
        Open(language);
        std::wstring ring = std::wstring(language.capitals) + language.smalls;
        std::wstring walked(1, game->letter[0]);
        for (size_t i = 1; i <= ring.size(); ++i) {
            TapFigure(game->nextButton);
            walked += game->letter[0];
            int index = int((i % ring.size()) % (ring.size() / 2));
            int bitmap = game->pictures[0]->bitmapId;
            EXPECT_EQ(bitmap % 100, index) << "the card's picture is not of its letter";
            EXPECT_TRUE(Has(language, bitmap)) << bitmap << " is English's, not the language's";
        }
        EXPECT_EQ(walked, ring + ring[0]);
        TapFigure(game->prevButton);
        EXPECT_EQ(game->letter[0], ring.back());
        game.reset();
    }
}

TEST_F(LanguagesTest, AQuizRoundAsksForALetterOfTheAlphabetAmongPicturesOfThreeOfItsLetters) {
    for (const Language& language : kLanguages) {
        SCOPED_TRACE(testing::Message() << std::hex << language.id);
        Open(language);
        const int count = int(std::wcslen(language.capitals));
        std::set<int> asked;
        game->quizMode = true;
        for (int round = 0; round < 200; ++round) {
            game->NewRound();
            std::set<int> letters;
            for (Image* picture : game->pictures) {
                letters.insert(picture->tag);
                EXPECT_LT(picture->tag, count);
                EXPECT_TRUE(Has(language, picture->bitmapId));
            }
            EXPECT_EQ(letters.size(), 3u) << "two pictures of one letter in a round";
            WCHAR shown = game->letter[0];
            int index = int((game->upperCase ? std::wcschr(language.capitals, shown)
                                             : std::wcschr(language.smalls, shown)) -
                            (game->upperCase ? language.capitals : language.smalls));
            ASSERT_GE(index, 0);
            EXPECT_TRUE(letters.count(index)) << "no picture of the round's letter";
            asked.insert(index);
        }
        EXPECT_EQ(int(asked.size()), count) << "some letter of the alphabet is never asked";
        game.reset();
    }
}

TEST_F(LanguagesTest, TheVoiceSaysEachLettersNameInTheLanguageAndNeverAnEnglishWord) {
    for (const Language& language : kLanguages) {
        SCOPED_TRACE(testing::Message() << std::hex << language.id);
        const int count = int(std::wcslen(language.capitals));
        for (int i = 0; i < count; ++i) {
            EXPECT_GT(Clip(language, 1400 + i), kSilentClip) << "no name for letter " << i;
            for (int slot = 0; slot < 3; ++slot) {
                DWORD word = Clip(language, 1500 + 100 * slot + i);
                EXPECT_NE(word, 0u) << "picture " << 500 + 100 * slot + i << " has English's word";
                if (language.saysWords) {
                    EXPECT_GT(word, kSilentClip);
                }
            }
        }
    }
}

}  // namespace
