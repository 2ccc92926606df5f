// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The browser host: the display on the page's canvas, pointer input as the stylus, Web Audio,
// and the page's event loop in place of the program's endless one. With Emscripten's ASYNCIFY
// the backend's wait hands control back to the browser, so the program's own loop runs
// unchanged: briefly at every look while something moves, until input while nothing does.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/backend.h"
#include "platform/web/page.h"

namespace platform {

class WebBackend : public Backend {
  public:
    // How long a look at an empty queue hands control back while something moves: timed
    // redraws and animation steps are late by this much and the browser's own lateness at
    // worst. The page's turn comes several times a frame.
    static constexpr int kMovingWaitMs = 2;
    // With nothing shown and no input for this long, nothing is moving: the next wait lasts
    // until input. Every animation steps more often than this.
    static constexpr uint32_t kStillAfterMs = 1000;

    // `startTick` is what the clock reads until the loop first looks at the queue (it seeds
    // the game's rounds); from then on the clock runs with the page's.
    WebBackend(Page& page, uint32_t startTick);

    bool OpenWindow(const std::wstring& title) override;
    void Present(const Surface& display, const RECT& area) override;
    void CloseWindow() override;
    void Poll() override;
    void Idle() override;
    uint32_t Now() override;
    bool StylusDown() override { return pressed_; }
    void PlaySound(const Sound& sound) override;

  private:
    // Copies what changed onto the canvas: one frame for all the copies since the last.
    void ShowFrame();

    Page& page_;
    uint32_t startTick_;
    bool open_ = false;
    bool looked_ = false;  // the clock runs from the loop's first look
    double origin_ = 0;
    uint32_t lastActivity_ = 0;  // when something was last shown or input last arrived
    bool pressed_ = false;
    const Surface* display_ = nullptr;
    RECT dirty_{0, 0, 0, 0};
    std::vector<uint32_t> rgba_;
};

}  // namespace platform
