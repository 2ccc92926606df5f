// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Quiz rounds: one letter, three pictures of three different letters; tap the match.
#include "game/game_screen.h"
#include "toolkit/sounds.h"

void GameScreen::NewRound() {
    for (Image*& picture : pictures) {
        RemoveFigure(picture, true);
        picture = nullptr;
    }
    for (int p = 0; p < 3; ++p) {
        int i = 0;
        bool taken = true;
        while (taken) {
            i = LcgRand() % letterCount;
            taken = false;
            for (int q = 0; q < p; ++q)
                if (pictures[q]->tag == i) taken = true;
        }
        int v = LcgRand() % 3;
        Image* picture = new Image(this, window, GameResources::FirstPicture + 100 * v + i);
        picture->tag = i;
        picture->SetLayer(11);
        picture->enabled = true;
        picture->AddListener(this);
        // Top right, bottom right, bottom left.
        int32_t w = picture->GetWidth(), h = picture->GetHeight();
        if (p == 0) {
            picture->SetX(width - w - 30);
            picture->SetY(30);
        } else if (p == 1) {
            picture->SetX(width - w - 30);
            picture->SetY(height - h - 30);
        } else {
            picture->SetX(60);
            picture->SetY(height - h - 30);
        }
        AddFigure(picture);
        pictures[p] = picture;
    }
    upperCase = true;
    int k = LcgRand() % 3;
    letterIndex = pictures[k]->tag;
    if (LcgRand() % 2 != 0) upperCase = false;
    SetLetter();
    RemoveFigure(letterText, true);
    ReplaceLetterText();
    modeBox->enabled = true;
    answered = false;
    playListener->OnRoundStarted(LetterIndex());
}

void GameScreen::AnswerStep(Figure* figure) {
    if (answered) return;
    answered = true;
    int pictureId = 0;
    for (Image* picture : pictures)
        if (picture == figure) pictureId = picture->bitmapId;
    if (figure->tag == letterIndex) {
        // The round is over: only the sparkle's end leads on.
        modeBox->enabled = false;
        PlayWave(rightSound);
        sparkle->Start();
        playListener->OnPictureAnswered(pictureId, true);
        return;
    }
    PlayWave(wrongSound);
    figure->SetVisible(false);
    answered = false;
    playListener->OnPictureAnswered(pictureId, false);
}
