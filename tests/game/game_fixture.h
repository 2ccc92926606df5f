// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// A game screen built in a headless 240x320 window, with a recording screen listener.
#pragma once

#include <memory>
#include <vector>

#include "game/game_screen.h"
#include "tests/support/host_test.h"

struct ScreenRecorder : ScreenListener {
    struct Event {
        bool press;
        Screen* screen;
        Figure* figure;
    };
    std::vector<Event> events;
    void OnScreenPress(Screen* s, Figure* f, int32_t, int32_t) override {
        events.push_back({true, s, f});
    }
    void OnScreenRelease(Screen* s, Figure* f, int32_t, int32_t) override {
        events.push_back({false, s, f});
    }
};

class GameTest : public HostTest {
  protected:
    static constexpr uint32_t kSeed = 4242;

    DWORD StartTick() const override { return kSeed; }
    void SetUp() override {
        HostTest::SetUp();
        game = std::make_unique<GameScreen>(window, GetModuleHandleW(nullptr));
        game->screenListeners.InsertAt(&listener, 0);
        game->active = true;
    }
    void TearDown() override {
        game.reset();
        HostTest::TearDown();
    }
    // A tap as the main window delivers it.
    void Tap(int x, int y) {
        game->PointerDown(x, y);
        game->PointerUp(x, y);
    }
    void TapFigure(Figure* f) {
        Tap(f->GetX() + f->GetWidth() / 2, f->GetY() + f->GetHeight() / 2);
    }
    // The one colour of the letter's glyphs.
    COLORREF LetterColour();
    Image* RightPicture();
    Image* WrongPicture();
    // Ticks the screen once a millisecond until `done` or the limit; the elapsed ms.
    template <typename F>
    uint32_t TickUntil(F done, uint32_t limit) {
        uint32_t start = GetTickCount();
        for (uint32_t t = 0; t <= limit; ++t) {
            game->Tick(start + t);
            if (done()) return t;
        }
        return limit + 1;
    }

    std::unique_ptr<GameScreen> game;
    ScreenRecorder listener;
};
