// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The browser host: the display on the page's canvas, pointer input as the stylus, Web Audio,
// and the page's event loop in place of the program's endless one. With Emscripten's ASYNCIFY
// the backend's wait hands control back to the browser, so the program's own loop runs
// unchanged: briefly at every look while the program moves, until input while it rests.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/backend.h"
#include "platform/hosts/web/page.h"

namespace platform {

class WebBackend : public Backend {
  public:
    // The longest a look at an empty queue hands control back while the program moves: the
    // browser's timers come late more often than poll() does, so the page wakes sooner than
    // the platform allows. The page's turn still comes several times a frame.
    static constexpr int kMovingWaitMs = 2;

    // `startTick` is what the clock reads until the loop first looks at the queue (it seeds
    // the game's rounds); from then on the clock runs with the page's.
    WebBackend(Page& page, uint32_t startTick);

    bool OpenWindow(const std::wstring& title) override;
    void CloseWindow() override;
    void Poll() override;
    void Idle(uint32_t waitMs) override;
    uint32_t Now() override;
    bool StylusDown() override { return pressed_; }

  protected:
    void Show(const Surface& display, const RECT& area) override;
    void StartSound(const Sound& sound) override;

  private:
    // Copies what changed onto the canvas: one frame for all the copies since the last.
    void ShowFrame();

    Page& page_;
    uint32_t startTick_;
    bool open_ = false;
    bool looked_ = false;  // the clock runs from the loop's first look
    double origin_ = 0;
    bool pressed_ = false;
    const Surface* display_ = nullptr;
    RECT dirty_{0, 0, 0, 0};
    std::vector<uint32_t> rgba_;
};

}  // namespace platform
