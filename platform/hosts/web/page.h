// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// What the browser backend asks of the page around it: a canvas to show pixels on, a clock,
// the stylus's presses and releases, a way to hand control back to the browser, and sound.
// The page's own script does the work; the backend stays testable without a browser.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/formats/wave.h"
#include "shell/platform.h"

namespace platform {

struct PageInput {
    enum class Kind { Down, Up };
    Kind kind = Kind::Down;
    int x = 0;  // display pixels; a release outside the canvas is already on its edge
    int y = 0;
};

class Page {
  public:
    // Waiting with this hands control back until input arrives, however long that takes.
    static constexpr int kUntilInput = -1;

    virtual ~Page() = default;
    // False when the page has no canvas to draw on.
    virtual bool OpenCanvas() = 0;
    // Copies `area` of a 240x320 picture of RGBA bytes, row by row, onto the canvas.
    virtual void Show(const uint32_t* rgba, const RECT& area) = 0;
    // Milliseconds of the page's monotonic clock, which stands still while the page is away
    // (hidden, frozen, in the back-forward cache): the game goes on from where it was.
    virtual double NowMs() = 0;
    // The next input that arrived since the last look, oldest first.
    virtual std::optional<PageInput> NextInput() = 0;
    // Hands control back to the browser for up to `ms` milliseconds (kUntilInput: no limit);
    // input that arrives meanwhile ends the wait early.
    virtual void Wait(int ms) = 0;
    virtual void PlaySound(const Sound& sound) = 0;
};

}  // namespace platform
