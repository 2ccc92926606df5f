// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The one object that owns the two screens and decides which is current: the title screen
// first, then, after its first reported press, the game for the rest of the run. It also owns
// the voice, when one is asked for.
#pragma once

#include "game/game_screen.h"
#include "game/narrator.h"
#include "game/title_screen.h"
#include "shell/platform.h"

class App final : public ScreenListener {
  public:
    App(HWND window, HINSTANCE instance);
    ~App();

    void OnScreenPress(Screen* screen, Figure* figure, int32_t x, int32_t y) override;
    void OnScreenRelease(Screen* screen, Figure* figure, int32_t x, int32_t y) override;

    HWND window;
    HINSTANCE instance;
    GameScreen* gameScreen = nullptr;
    TitleScreen* titleScreen = nullptr;
    Screen* currentScreen = nullptr;
    HGLOBAL switchSound = nullptr;
    // The voice, when the command line asks for it (--speak); none otherwise.
    Narrator* narrator = nullptr;

    App(const App&) = delete;
    App& operator=(const App&) = delete;
};
