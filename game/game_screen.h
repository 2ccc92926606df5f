// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The screen on which the child plays: letter cards stepped with two arrows, or quiz rounds
// of one letter and three pictures, switched by the check box in the top-left corner.
#pragma once

#include "game/play_listener.h"
#include "shell/platform.h"
#include "toolkit/animation.h"
#include "toolkit/button.h"
#include "toolkit/image.h"
#include "toolkit/screen.h"
#include "toolkit/text.h"

// Bitmap and string numbers of the game screen (its sounds: game/sound_resources.h).
namespace GameResources {
// The alphabet's capitals in order; the ring is they, then their small letters.
constexpr int AlphabetString = 16;
constexpr int Background = 175;
constexpr int PreviousArrow = 176;
constexpr int NextArrow = 177;
constexpr int ModeBox = 178;
constexpr int Sparkle = 179;
constexpr int CloseButton = 182;
// The pictures of letter index i (its place in the alphabet) are FirstPicture + i, + 100 and
// + 200.
constexpr int FirstPicture = 500;
}  // namespace GameResources

class GameScreen : public Screen, public FigureListener, public AnimationListener {
  public:
    GameScreen(HWND window, HINSTANCE instance);
    ~GameScreen() override;

    void Tick(uint32_t now) override;

    void ShowCard();
    void ApplyMode();
    void NewRound();
    // From now on `listener` hears of the game, beginning with the card or round shown now.
    void SetPlayListener(PlayListener* listener);

    void OnFigurePress(Figure* figure, int32_t x, int32_t y) override;
    void OnFigureRelease(Figure* figure, int32_t x, int32_t y) override;
    void OnAnimationStart(Animation* animation) override;
    void OnAnimationEnd(Animation* animation) override;
    void OnAnimationFrame(Animation* animation, int32_t frame) override;

    PtrList<ScreenListener> screenListeners;
    Text* letterText = nullptr;
    Button* prevButton = nullptr;
    Button* nextButton = nullptr;
    Image* pictures[3] = {nullptr, nullptr, nullptr};
    Animation* modeBox = nullptr;
    Animation* sparkle = nullptr;
    Image* closeButton = nullptr;
    WCHAR letter[2] = {L'A', 0};  // the letter shown: the alphabet's letterIndex'th, in its case
    WCHAR alphabet[64] = {};
    int letterCount = 0;
    int letterIndex = 0;
    COLORREF colours[3] = {RGB(0, 255, 0), RGB(246, 0, 0), RGB(0, 0, 255)};
    LOGFONTW letterFont{};
    bool quizMode = false;
    HGLOBAL clickSound = nullptr;
    HGLOBAL rightSound = nullptr;
    HGLOBAL wrongSound = nullptr;
    bool answered = false;
    bool upperCase = true;
    PlayListener* playListener = &nobodyListening;

  private:
    int LetterIndex() const;
    // Shows the alphabet's letterIndex'th letter, small unless upperCase.
    void SetLetter();
    void AnswerStep(Figure* figure);
    void StepLetter(int direction);
    void ReplaceLetterText();
    void TellScreenListeners(bool press, Figure* figure, int32_t x, int32_t y);
};
