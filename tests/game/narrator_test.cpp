// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// What the voice hears and how it is asked for. (When it speaks, against the game's sounds,
// the headless logs of tests/shell/speak_test.cpp show.)
#include "game/narrator.h"

#include <cstring>
#include <string>
#include <vector>

#include "game/wave_length.h"
#include "tests/game/game_fixture.h"

namespace {

struct PlayRecorder : PlayListener {
    std::vector<std::string> heard;
    void OnCardShown(int letter, int picture) override {
        heard.push_back("card " + std::to_string(letter) + " " + std::to_string(picture));
    }
    void OnRoundStarted(int letter) override { heard.push_back("round " + std::to_string(letter)); }
    void OnPictureAnswered(int picture, bool right) override {
        heard.push_back((right ? "right " : "wrong ") + std::to_string(picture));
    }
};

class PlayListenerTest : public GameTest {};

// Each card and round as the child sees it, each tapped picture as it is: the letter's index
// for capitals and small letters alike, and the bitmap the screen shows.
TEST_F(PlayListenerTest, TheGameTellsEachCardRoundAndAnswerAsShown) {
    PlayRecorder recorder;
    game->SetPlayListener(&recorder);
    auto card = [&] {
        return "card " +
               std::to_string(game->upperCase ? game->letter[0] - L'A' : game->letter[0] - L'a') +
               " " + std::to_string(game->pictures[0]->bitmapId);
    };
    std::vector<std::string> expected{"card 0 500"};
    TapFigure(game->prevButton);  // z
    expected.push_back(card());
    EXPECT_EQ(expected.back().rfind("card 25 ", 0), 0u);
    TapFigure(game->modeBox);
    int asked = RightPicture()->tag;
    expected.push_back("round " + std::to_string(asked));
    Image* wrong = WrongPicture();
    expected.push_back("wrong " + std::to_string(wrong->bitmapId));
    TapFigure(wrong);
    expected.push_back("right " + std::to_string(RightPicture()->bitmapId));
    TapFigure(RightPicture());
    TapFigure(RightPicture());  // during the reward: nothing
    TickUntil([&] { return recorder.heard.size() == expected.size() + 1; }, 3000);
    expected.push_back("round " + std::to_string(RightPicture()->tag));
    EXPECT_EQ(recorder.heard, expected);
}

TEST(NarratorTest, OnlyAnArgumentThatIsExactlySpeakAsksForTheVoice) {
    struct Case {
        const wchar_t* line;
        bool asked;
    } cases[] = {
        {L"quillby --speak", true},
        {L"\"C:\\Program Files\\Quillby\\quillby.exe\" --scale 2 --speak", true},
        {L"quillby \"--speak\"", true},
        {L"quillby\t--speak ", true},
        {L"quillby", false},
        {L"quillby --speaking", false},
        {L"quillby \"a --speak\"", false},
        {L"quillby \\\"--speak", false},
        {L"C:\\--speak\\quillby.exe", false},
        {L"\"--speak\" --scale 2", false},
        {L"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(Narrator::Asked(c.line), c.asked) << c.line;
}

// A voice waits for a game sound as long as its header says it plays: the game's own PCM, and
// IMA ADPCM by its "fact" chunk's count of samples.
TEST(NarratorTest, ASoundLastsAsItsHeaderSays) {
    HMODULE module = GetModuleHandleW(nullptr);
    const std::pair<int, uint32_t> gameSounds[] = {
        {20000, 24}, {20002, 1690}, {20003, 85}, {20006, 1723}, {20007, 72}};
    for (auto [id, ms] : gameSounds) {
        HRSRC r = FindResourceW(module, MAKEINTRESOURCEW(id), L"WAVE");
        ASSERT_NE(r, nullptr) << id;
        EXPECT_EQ(WaveLengthMs(LockResource(LoadResource(module, r)), SizeofResource(module, r)),
                  ms)
            << id;
    }
    // 16 kHz, 2,000 samples in 1,024 bytes; then the same with data past the image's end.
    std::string adpcm(
        "RIFF----WAVEfmt \x14\0\0\0\x11\0\x01\0\x80\x3E\0\0\xD7\x3E\0\0\0\x01"
        "\x04\0\x02\0\xF9\x01"
        "fact\x04\0\0\0\xD0\x07\0\0"
        "data\0\x04\0\0",
        60);
    adpcm += std::string(1024, '\x55');
    EXPECT_EQ(WaveLengthMs(adpcm.data(), adpcm.size()), 125u);
    EXPECT_EQ(WaveLengthMs(adpcm.data(), adpcm.size() - 1), 0u);
    EXPECT_EQ(WaveLengthMs("RIFF----WAVE", 12), 0u);
}

}  // namespace
