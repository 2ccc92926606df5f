// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// An invisible rectangle that takes the stylus, clicks and reports the press.
#pragma once

#include "toolkit/figure.h"

class Hotspot : public Figure {
  public:
    Hotspot(Screen* screen, HWND window, int32_t width, int32_t height);
    const WCHAR* GetTypeName() override;
    HDC GetSurface() override;
    void OnPointerDown(int32_t x, int32_t y) override;

    // The WAVE resource of the click a hotspot makes when pressed.
    static constexpr int ClickSoundId = 20000;
    // The click sound, loaded by the first hotspot and shared by all for the program's life.
    static HGLOBAL clickSound;
};
