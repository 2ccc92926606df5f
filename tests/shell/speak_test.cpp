// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The voice that --speak adds, heard in the headless log: every clip is a sound, logged when it
// starts, so the log shows when each starts against the game's own sounds.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <utility>
#include <vector>

#include "game/narrator.h"
#include "game/wave_length.h"
#include "tests/shell/session.h"

namespace {

using Sounds = std::vector<std::pair<uint32_t, int>>;  // when, which

constexpr uint32_t Pause = Narrator::PauseMs;
constexpr int Switch = 20003, Click = 20000, Right = 20002, Wrong = 20007;

// How long a WAVE resource of the program plays, in whole milliseconds rounded up.
uint32_t Length(int id) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), L"WAVE");
    EXPECT_NE(resource, nullptr) << "no sound " << id;
    if (!resource) return 0;
    return WaveLengthMs(LockResource(LoadResource(module, resource)),
                        SizeofResource(module, resource));
}

int Name(int letter) {
    return VoiceResources::FirstLetterName + letter;
}

// The sounds of a run, the opening sound and the end left out.
Sounds Heard(const Session& s) {
    Sounds heard;
    std::istringstream in(s.log);
    uint32_t ms = 0;
    std::string what;
    int id = 0;
    while (in >> ms >> what) {
        if (what == "sound" && in >> id && !(ms == 0 && id == 20006)) heard.emplace_back(ms, id);
        std::getline(in, what);
    }
    return heard;
}

// The word heard at `at`, if it is one of the three pictures' words of `letter`; -1 otherwise.
int WordOf(int letter, const Sounds& heard, size_t at) {
    if (at >= heard.size()) return -1;
    int word = heard[at].second - VoiceResources::WordAfterPicture;
    return word % 100 == letter && word >= 500 && word < 800 ? heard[at].second : -1;
}

std::string Tap(uint32_t at, int x, int y) {
    std::string where = " " + std::to_string(x) + " " + std::to_string(y) + "\n";
    return std::to_string(at) + " down" + where + std::to_string(at + 20) + " up" + where;
}

std::string OpenGame() {
    return Tap(100, 120, 150);
}
std::string NextArrow(uint32_t at) {
    return Tap(at, 170, 282);
}
std::string PreviousArrow(uint32_t at) {
    return Tap(at, 70, 282);
}
std::string QuizSwitch(uint32_t at) {
    return Tap(at, 75, 20);
}

// A card: the switch or the click, then at its end the letter's name, then after the name and
// a pause the word of the card's picture; capitals and small letters have the same names.
TEST(SpeakTest, ACardSaysItsLetterWhenTheClickEndsThenThePicturesWord) {
    uint32_t back = 4000;  // from A back to z
    Session s = RunSession(OpenGame() + PreviousArrow(back), 0, false, back + 3000, true);
    Sounds heard = Heard(s);
    uint32_t a = 100 + Length(Switch), apple = a + Length(Name(0)) + Pause;
    uint32_t z = back + Length(Click), word = z + Length(Name(25)) + Pause;
    Sounds expected{{100, Switch}, {a, Name(0)},  {apple, 1500},
                    {back, Click}, {z, Name(25)}, {word, WordOf(25, heard, 5)}};
    EXPECT_EQ(heard, expected) << s.log;
    // The executable takes --speak as the session does.
    ScratchFolder folder;
    std::string script = (folder.path / "cards.txt").string();
    std::ofstream(script) << OpenGame() + PreviousArrow(back);
    EXPECT_EQ(RunQuillby("--headless --speak --until 7000 --script " + script).out, s.log);
    // Without --speak the game says nothing.
    EXPECT_EQ(Heard(RunSession(OpenGame() + PreviousArrow(back), 0, false, back + 3000)),
              (Sounds{{100, Switch}, {back, Click}}));
}

// Start tick 2026: the round asks for B, with the yarn top right, the bus bottom right and the
// rocket bottom left. A wrong picture's word follows the wrong sound; the right one's follows the
// right sound, while the sparkle plays, and the next round's letter waits for it to end.
TEST(SpeakTest, AQuizRoundSaysItsLetterAndTheWordOfEachPictureTapped) {
    uint32_t wrongAt = 2000, rightAt = 3000;
    Session s =
        RunSession(OpenGame() + QuizSwitch(300) + Tap(wrongAt, 180, 60) + Tap(rightAt, 180, 260),
                   2026, false, rightAt + 4000, true);
    Sounds heard = Heard(s);
    uint32_t b = 300 + Length(Click), yarn = wrongAt + Length(Wrong);
    uint32_t bus = rightAt + Length(Right);
    // The sparkle's eighth step, 251 ms after each before it, ends the round.
    uint32_t nextRound = std::max(rightAt + 8 * 251, bus + Length(1701) + Pause);
    ASSERT_EQ(heard.size(), 9u) << s.log;
    int nextLetter = heard[8].second;
    EXPECT_GE(nextLetter, Name(0));
    EXPECT_LE(nextLetter, Name(25));
    Sounds expected{{100, Switch},          {100 + Length(Switch), Name(0)},
                    {300, Click},           {b, Name(1)},
                    {wrongAt, Wrong},       {yarn, 1624},
                    {rightAt, Right},       {bus, 1701},
                    {nextRound, nextLetter}};
    EXPECT_EQ(heard, expected) << s.log;
}

// A tap whose game sound starts cuts the voice at once; what waited to be said about a card
// that is gone, or a quiz that is switched off, is never said.
TEST(SpeakTest, AGameSoundCutsTheVoiceAndWhatTheScreenNoLongerShowsIsNeverSaid) {
    uint32_t a = 100 + Length(Switch);
    uint32_t next = a + Length(Name(0)) + Pause / 2;  // while A's word waits
    uint32_t b = next + Length(Click);
    uint32_t back = b + 50;  // while B is being said
    uint32_t again = back + Length(Click);
    Session cards =
        RunSession(OpenGame() + NextArrow(next) + PreviousArrow(back), 0, false, back + 3000, true);
    Sounds heard = Heard(cards);
    Sounds expected{{100, Switch},
                    {a, Name(0)},
                    {next, Click},
                    {b, Name(1)},
                    {back, Click},
                    {again, Name(0)},
                    {again + Length(Name(0)) + Pause, WordOf(0, heard, 6)}};
    EXPECT_EQ(heard, expected) << cards.log;

    // Start tick 2026: the round asks for B; the quiz is switched off while B is said (off the
    // spot of the tap that switched it on, which would make a double click).
    Session quiz =
        RunSession(OpenGame() + QuizSwitch(300) + Tap(400, 95, 25), 2026, false, 3000, true);
    heard = Heard(quiz);
    uint32_t card = 400 + Length(Click);
    expected = {{100, Switch},
                {a, Name(0)},
                {300, Click},
                {300 + Length(Click), Name(1)},
                {400, Click},
                {card, Name(0)},
                {card + Length(Name(0)) + Pause, WordOf(0, heard, 6)}};
    EXPECT_EQ(heard, expected) << quiz.log;
}

// The voice's timing is told in differences of ticks: across the wrap of the millisecond
// counter (here between the switch and the letter) it is the same as anywhere else.
TEST(SpeakTest, TheVoiceKeepsTimeAcrossTheWrapOfTheTick) {
    Session wrapped = RunSession(OpenGame(), 0xFFFFFFFFu - 149, false, 3000, true);
    Session plain = RunSession(OpenGame(), 0, false, 3000, true);
    EXPECT_EQ(Heard(wrapped), Heard(plain)) << wrapped.log;
    EXPECT_EQ(Heard(plain).size(), 3u) << plain.log;
}

}  // namespace
