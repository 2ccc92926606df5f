// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "tests/game/game_fixture.h"

#include "tests/support/pixels.h"

COLORREF GameTest::LetterColour() {
    for (COLORREF c : PixelsOf(game->letterText->GetSurface()).pixels)
        if (c != KeyColour) return c;
    return KeyColour;
}

Image* GameTest::RightPicture() {
    for (Image* p : game->pictures) {
        WCHAR c = WCHAR((game->upperCase ? L'A' : L'a') + p->tag);
        if (c == game->letter[0]) return p;
    }
    return nullptr;
}

Image* GameTest::WrongPicture() {
    for (Image* p : game->pictures)
        if (p != RightPicture() && p->visible) return p;
    return nullptr;
}
