// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// How the voice is asked for, and how long it waits for a game sound. (What it says and when,
// against the game's sounds, the headless logs of tests/shell/speak_test.cpp show.)
#include "game/narrator.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "game/wave_length.h"
#include "shell/platform.h"
#include "tests/support/host_test.h"
#include "toolkit/sounds.h"

namespace {

TEST(NarratorTest, OnlyAnArgumentThatIsExactlySpeakAsksForTheVoice) {
    struct Case {
        const wchar_t* line;
        bool asked;
    } cases[] = {
        {L"quillby --speak", true},
        {L"\"C:\\Program Files\\Quillby\\quillby.exe\" --scale 2 --speak", true},
        {L"quillby \"--speak\"", true},
        {L"quillby\t--speak ", true},
        {L"\"C:\\Quillby\\\" \"\" --speak", true},
        {L"quillby --shots \"C:\\My Shots\\\\\" --speak", true},
        {L"quillby", false},
        {L"quillby --speaking", false},
        {L"quillby \"a --speak\"", false},
        {L"quillby \\\"--speak", false},
        {L"quillby --shots \"C:\\My Shots\\\" --speak", false},
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

// The voice on the test window, told what the game screen would tell it, ticked each
// millisecond as the loop would be.
class NarratorRoundTest : public HostTest {
  protected:
    static constexpr int Click = 20000, Right = 20002, Bus = 701, BusWord = 1701, B = 1401;

    void TickFor(uint32_t ms) {
        for (uint32_t i = 0; i < ms; ++i) {
            test_host::Advance(1);
            narrator->OnTick(test_host::Now());
        }
    }
    void SetUp() override {
        HostTest::SetUp();
        narrator = std::make_unique<Narrator>(window);
    }
    void TearDown() override {
        narrator.reset();
        HostTest::TearDown();
    }
    std::unique_ptr<Narrator> narrator;
};

// A quick child answers right while the round's letter still waits for the click: the round is
// over, so only the picture's word is said after the right sound, and once nothing waits no
// timer is left to wake the loop for nothing.
TEST_F(NarratorRoundTest, ARightAnswerEndsTheRoundsLetterAndNothingWaitingLeavesNoTimer) {
    narrator->OnRoundStarted(1);
    narrator->OnSoundStart(LoadWave(Click));
    TickFor(10);
    narrator->OnPictureAnswered(Bus, true);
    narrator->OnSoundStart(LoadWave(Right));
    TickFor(5000);
    EXPECT_EQ(test_host::Sounds(), std::vector<int>{BusWord})
        << "after the right answer the letter of the round it ended was said";
    EXPECT_FALSE(KillTimer(window, Narrator::WakeTimer))
        << "the voice's wake timer is still set with nothing left to say";

    // And the letter of a round still going is said once the click has ended, the timer gone.
    narrator->OnRoundStarted(1);
    narrator->OnSoundStart(LoadWave(Click));
    TickFor(1000);
    EXPECT_EQ(test_host::Sounds(), (std::vector<int>{BusWord, B}));
    EXPECT_FALSE(KillTimer(window, Narrator::WakeTimer))
        << "the voice's wake timer is still set with nothing left to say";
}

}  // namespace
