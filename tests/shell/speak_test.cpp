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

// Between the end of one clip and the start of the next: with the clips' own quiet ends a child
// hears about 190 ms between a letter and its word, no run-together "B-bus".
constexpr uint32_t Pause = 150;
constexpr int Switch = 20003, Click = 20000, Right = 20002, Wrong = 20007;
struct Spot {
    int x, y;
};
constexpr Spot Title{120, 150}, Next{170, 282}, Back{70, 282}, Quiz{75, 20};

// How long a WAVE resource of the program plays, in whole milliseconds rounded up.
uint32_t Length(int id) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC r = FindResourceW(module, MAKEINTRESOURCEW(id), L"WAVE");
    return r ? WaveLengthMs(LockResource(LoadResource(module, r)), SizeofResource(module, r)) : 0;
}

int Name(int letter) {
    return VoiceResources::FirstLetterName + letter;
}

// The sounds of a run but the opening one.
Sounds Heard(const Session& s) {
    Sounds heard;
    std::istringstream in(s.log);
    uint32_t ms = 0;
    std::string what;
    for (int id = 0; in >> ms >> what; std::getline(in, what))
        if (what == "sound" && in >> id && id != 20006) heard.emplace_back(ms, id);
    return heard;
}

// The word heard `at`th, if it is one of the three pictures' words of `letter`; -1 otherwise.
int WordOf(int letter, const Sounds& heard, size_t at) {
    int word = at < heard.size() ? heard[at].second - VoiceResources::WordAfterPicture : 0;
    return word % 100 == letter && word >= 500 && word < 800 ? heard[at].second : -1;
}

std::string Tap(uint32_t at, Spot s, uint32_t held = 20) {
    std::string where = " " + std::to_string(s.x) + " " + std::to_string(s.y) + "\n";
    return std::to_string(at) + " down" + where + std::to_string(at + held) + " up" + where;
}

// A card: the switch or the click, then at its end the letter's name, then after the name and
// a pause the word of the card's picture; capitals and small letters have the same names. The
// timing is told in differences of ticks: across the wrap of the counter (here between the
// switch and the letter) it is the same.
TEST(SpeakTest, ACardSaysItsLetterWhenTheClickEndsThenThePicturesWord) {
    uint32_t back = 4000;  // from A back to z
    std::string script = Tap(100, Title) + Tap(back, Back);
    for (uint32_t start : {0u, 0xFFFFFFFFu - 149}) {
        Session s = RunSession(script, start, false, back + 3000, true);
        Sounds heard = Heard(s);
        uint32_t a = 100 + Length(Switch), z = back + Length(Click);
        Sounds expected{
            {100, Switch}, {a, Name(0)},  {a + Length(Name(0)) + Pause, 1500},
            {back, Click}, {z, Name(25)}, {z + Length(Name(25)) + Pause, WordOf(25, heard, 5)}};
        EXPECT_EQ(heard, expected) << s.log;
    }
    // The executable takes --speak as the session does; without it the game says nothing.
    ScratchFolder folder;
    std::ofstream(folder.path / "cards.txt") << script;
    EXPECT_EQ(RunQuillby("--headless --speak --until 7000 --script " +
                         (folder.path / "cards.txt").string())
                  .out,
              RunSession(script, 0, false, 7000, true).log);
    EXPECT_EQ(Heard(RunSession(script)), (Sounds{{100, Switch}, {back, Click}}));
}

// Start tick 2026: the round asks for B, with the yarn top right, the bus bottom right and the
// rocket bottom left. A wrong picture's word follows the wrong sound; the right one's follows the
// right sound, while the sparkle plays, and the next round's letter waits for it to end. A
// picture tapped again during the sparkle is not said again.
TEST(SpeakTest, AQuizRoundSaysItsLetterAndTheWordOfEachPictureTapped) {
    uint32_t wrongAt = 2000, rightAt = 3000, bus = rightAt + Length(Right);
    Session s = RunSession(Tap(100, Title) + Tap(300, Quiz) + Tap(wrongAt, {180, 60}) +
                               Tap(rightAt, {180, 260}) + Tap(rightAt + 1000, {180, 260}),
                           2026, false, rightAt + 4000, true);
    Sounds heard = Heard(s);
    ASSERT_EQ(heard.size(), 9u) << s.log;
    int nextLetter =
        heard[8].second >= Name(0) && heard[8].second <= Name(25) ? heard[8].second : -1;
    // The sparkle's eighth step, 251 ms after each before it, ends the round.
    uint32_t nextRound = std::max(rightAt + 8 * 251, bus + Length(1701) + Pause);
    Sounds expected{{100, Switch},          {100 + Length(Switch), Name(0)},
                    {300, Click},           {300 + Length(Click), Name(1)},
                    {wrongAt, Wrong},       {wrongAt + Length(Wrong), 1624},
                    {rightAt, Right},       {bus, 1701},
                    {nextRound, nextLetter}};
    EXPECT_EQ(heard, expected) << s.log;
}

// A tap whose game sound starts cuts the voice at once; what waited to be said about a card
// that is gone, or a quiz that is switched off, is never said.
TEST(SpeakTest, AGameSoundCutsTheVoiceAndWhatTheScreenNoLongerShowsIsNeverSaid) {
    uint32_t a = 100 + Length(Switch);
    uint32_t next = a + Length(Name(0)) + Pause / 2;  // while A's word waits
    uint32_t back = next + Length(Click) + 50;        // while B is said
    uint32_t again = back + Length(Click);
    Session cards = RunSession(Tap(100, Title) + Tap(next, Next) + Tap(back, Back), 0, false,
                               back + 3000, true);
    Sounds heard = Heard(cards);
    Sounds expected{{100, Switch},
                    {a, Name(0)},
                    {next, Click},
                    {back - 50, Name(1)},
                    {back, Click},
                    {again, Name(0)},
                    {again + Length(Name(0)) + Pause, WordOf(0, heard, 6)}};
    EXPECT_EQ(heard, expected) << cards.log;

    // Start tick 2026: the quiz is switched off while its B is said (off the spot of the tap
    // that switched it on, which would make a double click).
    Session quiz =
        RunSession(Tap(100, Title) + Tap(300, Quiz) + Tap(400, {95, 25}), 2026, false, 3000, true);
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

// A quick child taps before the round's letter is said (start tick 2026: B, the yarn top right
// wrong, the bus bottom right right). A wrong picture's word follows its tap, the letter after
// it; a right one ends the round, whose letter is then never said.
TEST(SpeakTest, AQuickTapIsAnsweredFirstAndARightOneDropsTheLetterOfTheRoundItEnds) {
    uint32_t tapAt = 300 + Length(Click) / 2;  // while the quiz's click plays
    std::string start = Tap(100, Title) + Tap(300, Quiz, 5);
    Session wrong = RunSession(start + Tap(tapAt, {180, 60}), 2026, false, 3000, true);
    Sounds heard = Heard(wrong);
    uint32_t yarn = tapAt + Length(Wrong), b = yarn + Length(1624) + Pause;
    Sounds expected{{100, Switch}, {100 + Length(Switch), Name(0)},
                    {300, Click},  {tapAt, Wrong},
                    {yarn, 1624},  {b, Name(1)}};
    EXPECT_EQ(heard, expected) << "the word of the picture tapped should come before the letter "
                                  "still waiting, right after the wrong sound\n"
                               << wrong.log;

    // Until just before the sparkle's end starts the next round.
    Session right =
        RunSession(start + Tap(tapAt, {180, 260}), 2026, false, tapAt + 8 * 251 - 10, true);
    heard = Heard(right);
    expected = {{100, Switch},
                {100 + Length(Switch), Name(0)},
                {300, Click},
                {tapAt, Right},
                {tapAt + Length(Right), 1701}};
    EXPECT_EQ(heard, expected) << "after a right answer only its word is said, not the letter "
                                  "of the round it ended\n"
                               << right.log;
}

}  // namespace
