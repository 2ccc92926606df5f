// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// How the voice is asked for, and how long it waits for a game sound. (What it says and when,
// against the game's sounds, the headless logs of tests/shell/speak_test.cpp show.)
#include "game/narrator.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "game/wave_length.h"
#include "shell/platform.h"

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
