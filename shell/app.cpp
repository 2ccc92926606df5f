// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "shell/app.h"

#include "game/sound_resources.h"
#include "toolkit/sounds.h"

App::App(HWND window, HINSTANCE instance) : window(window), instance(instance) {
    // Made first, the voice hears every sound the App starts.
    if (Narrator::Asked(GetCommandLineW())) narrator = new Narrator(window);
    gameScreen = new GameScreen(window, instance);
    if (narrator) gameScreen->SetPlayListener(narrator);
    gameScreen->screenListeners.InsertAt(this, gameScreen->screenListeners.count);
    titleScreen = new TitleScreen(window, instance);
    titleScreen->screenListeners.InsertAt(this, titleScreen->screenListeners.count);
    currentScreen = titleScreen;
    titleScreen->active = true;
    switchSound = LoadWave(SoundResources::Switch);
    PlayWave(LoadWave(SoundResources::Startup));
}

App::~App() {
    delete gameScreen;
    delete titleScreen;
    delete narrator;
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
