// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "shell/app.h"

#include "toolkit/sounds.h"

namespace {

constexpr int SwitchSoundId = 20003;
constexpr int StartupSoundId = 20006;

}  // namespace

App::App(HWND window, HINSTANCE instance) : window(window), instance(instance) {
    gameScreen = new GameScreen(window, instance);
    gameScreen->screenListeners.InsertAt(this, gameScreen->screenListeners.count);
    titleScreen = new TitleScreen(window, instance);
    titleScreen->screenListeners.InsertAt(this, titleScreen->screenListeners.count);
    currentScreen = titleScreen;
    titleScreen->active = true;
    switchSound = LoadWave(SwitchSoundId);
    PlayWave(LoadWave(StartupSoundId));
}

App::~App() {
    delete gameScreen;
    delete titleScreen;
}

void App::OnScreenPress(Screen* screen, Figure*, int32_t, int32_t) {
    if (screen != titleScreen) return;
    PlayWave(switchSound);
    currentScreen->active = false;
    currentScreen = gameScreen;
    gameScreen->active = true;
    // The next paint shows the game whole.
    InvalidateRect(window, nullptr, FALSE);
}

void App::OnScreenRelease(Screen*, Figure*, int32_t, int32_t) {}
