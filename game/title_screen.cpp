// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "game/title_screen.h"

#include "toolkit/image.h"
#include "toolkit/text.h"

namespace {

constexpr COLORREF LabelColour = RGB(61, 48, 192);
constexpr int LabelBufferLength = 20;

}  // namespace

TitleScreen::TitleScreen(HWND window, HINSTANCE instance) : Screen(window, instance) {
    Image* picture = new Image(this, window, TitleResources::Background);
    picture->SetLayer(1);
    picture->enabled = true;
    picture->SetVisible(true);
    picture->AddListener(this);
    background = picture;
    AddFigure(picture);

    LOGFONTW font{};
    font.lfHeight = 12;
    font.lfWeight = FW_BOLD;
    font.lfPitchAndFamily = FF_SWISS;
    AddLabel(TitleResources::VersionString, 45, font);
    AddLabel(TitleResources::YearsString, 165, font);
}

void TitleScreen::AddLabel(UINT stringId, int32_t x, const LOGFONTW& font) {
    WCHAR buffer[LabelBufferLength];
    LoadStringW(instance, stringId, buffer, LabelBufferLength);
    Text* label = new Text(this, window, buffer, LabelColour, font);
    label->SetLayer(10);
    label->enabled = false;
    label->SetVisible(true);
    label->SetX(x);
    label->SetY(300);
    AddFigure(label);
}

TitleScreen::~TitleScreen() {
    DeleteAllFigures();
    screenListeners.Clear();
}

void TitleScreen::OnFigurePress(Figure* figure, int32_t x, int32_t y) {
    for (int32_t i = 0; i < screenListeners.count; ++i)
        screenListeners.GetAt(i)->OnScreenPress(this, figure, x, y);
}

void TitleScreen::OnFigureRelease(Figure*, int32_t, int32_t) {}
