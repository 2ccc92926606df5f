// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "game/game_screen.h"

#include "game/sound_resources.h"
#include "toolkit/sounds.h"

GameScreen::GameScreen(HWND window, HINSTANCE instance) : Screen(window, instance) {
    // The alphabet is the language's; a program without one has A to Z.
    letterCount = LoadStringW(instance, GameResources::AlphabetString, alphabet, 64);
    if (letterCount <= 0)
        for (letterCount = 0; letterCount < 26; ++letterCount)
            alphabet[letterCount] = WCHAR(L'A' + letterCount);
    SetLetter();

    Image* backgroundImage = new Image(this, window, GameResources::Background);
    backgroundImage->SetLayer(1);
    backgroundImage->enabled = false;
    background = backgroundImage;
    AddFigure(backgroundImage);

    closeButton = new Image(this, window, GameResources::CloseButton);
    closeButton->enabled = true;
    closeButton->SetX(width - closeButton->GetWidth() - 3);
    closeButton->SetY(3);
    closeButton->AddListener(this);
    AddFigure(closeButton);

    // The big letter: a bold sans serif with a 150-pixel cell; the face is the system's choice.
    letterFont.lfHeight = 150;
    letterFont.lfWeight = FW_BOLD;
    letterFont.lfPitchAndFamily = FF_SWISS;

    LcgSrand(GetTickCount());

    prevButton = new Button(this, window, GameResources::PreviousArrow);
    prevButton->SetLayer(11);
    prevButton->enabled = true;
    prevButton->SetX(40);
    prevButton->SetY(260);
    prevButton->AddListener(this);
    AddFigure(prevButton);

    nextButton = new Button(this, window, GameResources::NextArrow);
    nextButton->SetLayer(11);
    nextButton->enabled = true;
    nextButton->SetX(width - nextButton->GetWidth() - 40);
    nextButton->SetY(260);
    nextButton->AddListener(this);
    AddFigure(nextButton);

    // The first card is always a green "A" with its first picture: no random draw.
    letterText = new Text(this, window, letter, colours[0], letterFont);
    letterText->enabled = false;
    letterText->SetLayer(11);
    letterText->SetX(70);
    letterText->SetY(80);
    AddFigure(letterText);

    pictures[0] = new Image(this, window, GameResources::FirstPicture);
    pictures[0]->SetLayer(11);
    pictures[0]->SetX(width - pictures[0]->GetWidth() - 30);
    pictures[0]->SetY(30);
    AddFigure(pictures[0]);

    // Never started: a two-look image, unticked for the cards, ticked for the quiz.
    modeBox = new Animation(this, window, GameResources::ModeBox, 2, 0);
    modeBox->autoShowHide = false;
    modeBox->SetVisible(true);
    modeBox->SetX(45);
    modeBox->SetY(10);
    modeBox->enabled = true;
    modeBox->SetLayer(11);
    modeBox->AddListener(this);
    AddFigure(modeBox);

    sparkle = new Animation(this, window, GameResources::Sparkle, 4, 4);
    sparkle->SetX(70);
    sparkle->SetY(105);
    sparkle->SetLayer(11);
    sparkle->loopLimit = 2;
    sparkle->AddAnimationListener(this);
    AddFigure(sparkle);

    clickSound = LoadWave(SoundResources::Click);
    wrongSound = LoadWave(SoundResources::Wrong);
    rightSound = LoadWave(SoundResources::Right);
}

GameScreen::~GameScreen() {
    DeleteAllFigures();
    screenListeners.Clear();
}

void GameScreen::Tick(uint32_t now) {
    Screen::Tick(now);
    playListener->OnTick(now);
}

void GameScreen::SetPlayListener(PlayListener* listener) {
    playListener = listener;
    if (quizMode)
        playListener->OnRoundStarted(LetterIndex());
    else
        playListener->OnCardShown(LetterIndex(), pictures[0]->bitmapId);
}

int GameScreen::LetterIndex() const {
    return letterIndex;
}

void GameScreen::SetLetter() {
    WCHAR capital = alphabet[letterIndex];
    // As in Windows, a character in place of a pointer is lowered on its own.
    letter[0] = upperCase ? capital
                          : WCHAR(reinterpret_cast<ULONG_PTR>(
                                CharLowerW(reinterpret_cast<LPWSTR>(ULONG_PTR(capital)))));
}

void GameScreen::OnFigurePress(Figure* figure, int32_t x, int32_t y) {
    if (figure == closeButton) {
        PlayWave(clickSound);
        PostMessageW(window, WM_DESTROY, 0, 0);
    } else if (figure == modeBox) {
        PlayWave(clickSound);
        quizMode = !quizMode;
        modeBox->SetFrame(quizMode ? 1 : 0);
        ApplyMode();
        modeBox->Invalidate();  // setting a frame does not repaint by itself
    } else if (figure == prevButton) {
        PlayWave(clickSound);
        StepLetter(-1);
    } else if (figure == nextButton) {
        PlayWave(clickSound);
        StepLetter(+1);
    } else {
        AnswerStep(figure);
    }
    TellScreenListeners(true, figure, x, y);
}

void GameScreen::OnFigureRelease(Figure* figure, int32_t x, int32_t y) {
    TellScreenListeners(false, figure, x, y);
}

void GameScreen::TellScreenListeners(bool press, Figure* figure, int32_t x, int32_t y) {
    // The count is read afresh before each call.
    for (int32_t i = 0; i < screenListeners.count; ++i) {
        ScreenListener* listener = screenListeners.GetAt(i);
        if (press)
            listener->OnScreenPress(this, figure, x, y);
        else
            listener->OnScreenRelease(this, figure, x, y);
    }
}

// The arrows walk the ring of the capitals, then the small letters, and round again; the
// previous arrow walks it backwards.
void GameScreen::StepLetter(int direction) {
    int ring = 2 * letterCount;
    int position = upperCase ? letterIndex : letterCount + letterIndex;
    position = (position + direction + ring) % ring;
    upperCase = position < letterCount;
    letterIndex = position % letterCount;
    SetLetter();
    ShowCard();
}

void GameScreen::ReplaceLetterText() {
    int r = LcgRand();
    letterText = new Text(this, window, letter, colours[r % 3], letterFont);
    letterText->enabled = false;
    letterText->SetLayer(11);
    letterText->SetX(70);
    letterText->SetY(80);
    AddFigure(letterText);
}

void GameScreen::ShowCard() {
    RemoveFigure(letterText, true);
    RemoveFigure(pictures[0], true);
    ReplaceLetterText();
    int v = LcgRand() % 3;
    int index = LetterIndex();
    // Tapping the card's picture does nothing: the screen does not listen to it.
    pictures[0] = new Image(this, window, GameResources::FirstPicture + 100 * v + index);
    pictures[0]->SetLayer(11);
    pictures[0]->enabled = false;
    pictures[0]->SetX(width - pictures[0]->GetWidth() - 30);
    pictures[0]->SetY(30);
    AddFigure(pictures[0]);
    playListener->OnCardShown(index, pictures[0]->bitmapId);
}

void GameScreen::ApplyMode() {
    if (quizMode) {
        prevButton->SetVisible(false);
        nextButton->SetVisible(false);
        RemoveFigure(pictures[0], true);
        pictures[0] = nullptr;
        NewRound();
        return;
    }
    prevButton->SetVisible(true);
    prevButton->enabled = true;
    nextButton->SetVisible(true);
    nextButton->enabled = true;
    // The cards start again at the first letter, in the case of the last quiz letter.
    letterIndex = 0;
    SetLetter();
    for (Image*& picture : pictures) {
        RemoveFigure(picture, true);
        picture = nullptr;
    }
    ShowCard();
}

void GameScreen::OnAnimationStart(Animation*) {}

void GameScreen::OnAnimationEnd(Animation*) {
    NewRound();
}

void GameScreen::OnAnimationFrame(Animation*, int32_t) {}
