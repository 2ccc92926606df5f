// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The voice that says each card's letter and picture, each round's letter and each tapped
// picture's word, when --speak asks for it. It hears what the game screen shows and which game
// sounds start, and decides what to say and when, against the tick handed to the screen:
//
// - a game sound always has its way: one starting cuts the voice at once, and a voice waits for
//   the game sound to end, which it knows from the sound's WAVE header;
// - a voice is never cut by the next one, which waits for it, and a pause, to end;
// - what waits to be said and is no longer about what the screen shows (another card, another
//   round, a later tap) is dropped, never said late.
//
// It plays the voice with the same sndPlaySoundW call as the game's sounds, and sets a timer on
// the window while a voice waits, so that a loop with nothing else to do comes back for it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "game/play_listener.h"
#include "shell/platform.h"
#include "toolkit/sounds.h"

// The voice's WAVE resources: the names of the letters, and the words of the pictures, found
// from the letter index and the picture's bitmap as the pictures are found from the letter.
namespace VoiceResources {
constexpr int FirstLetterName = 1400;   // + the letter index
constexpr int WordAfterPicture = 1000;  // + the picture's bitmap
}  // namespace VoiceResources

class Narrator final : public PlayListener, public SoundListener {
  public:
    // Between the end of one clip and the start of the next. With the clips' own quiet ends
    // (below -40 dBFS: 10 ms at the start and 27 ms at the end most often) a child hears 171 to
    // 241 ms between a letter and its word, 188 ms most often.
    static constexpr uint32_t PauseMs = 150;
    // The timer that wakes `window`'s loop for a voice.
    static constexpr UINT_PTR WakeTimer = 0x5157;

    // Whether a command line (as GetCommandLineW gives it) asks for the voice.
    static bool Asked(LPCWSTR commandLine);

    // Listens to every sound the program starts from now on, until destroyed.
    explicit Narrator(HWND window);
    ~Narrator() override;

    void OnCardShown(int letterIndex, int pictureId) override;
    void OnRoundStarted(int letterIndex) override;
    void OnPictureAnswered(int pictureId, bool right) override;
    void OnTick(uint32_t now) override;
    void OnSoundStart(HGLOBAL sound) override;

    Narrator(const Narrator&) = delete;
    Narrator& operator=(const Narrator&) = delete;

  private:
    enum class About { Card, Round, Answer };
    struct Line {
        int clip;     // the WAVE resource
        About about;  // what on the screen it speaks of
    };
    struct Heard {
        uint32_t start;
        uint32_t lengthMs;
    };
    struct Sound {
        HGLOBAL image;
        uint32_t lengthMs;
    };

    // The image and length of a WAVE resource; none when the program has no such sound.
    static std::optional<Sound> Find(int id);
    void Say(const Line& line, uint32_t now);
    // Keeps the wake timer at the moment the next line is due, or kills it when none waits.
    void WakeFor(std::optional<uint32_t> due, uint32_t now);

    HWND window_;
    std::vector<Sound> gameSounds_;     // the lengths of the program's own sounds
    std::optional<Heard> gameSound_;    // the game sound playing
    std::optional<Heard> voice_;        // the voice playing, then the pause after it
    std::vector<Line> waiting_;         // what is still to be said, in order
    std::optional<uint32_t> timerDue_;  // when the wake timer is set for
};
