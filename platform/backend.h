// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The contract between the platform layer and one host (headless, desktop, later the browser).
//
// The platform keeps the window, its pixels and the message queue; a backend only shows the
// pixels, reads the host's clock and stylus, plays sounds and, at every look at the queue,
// may post input and wait a little for it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/sound.h"
#include "platform/surface.h"

namespace platform {

class Backend {
  public:
    virtual ~Backend() = default;

    // Opens the host's window for the program's one top-level window. False: no display.
    virtual bool OpenWindow(const std::wstring& title) = 0;
    // Called once after OpenWindow with the picture the window shows as its icon: 32 x 32
    // pixels, each a COLORREF with its alpha in the high byte (0xAABBGGRR: SDL's ABGR8888).
    virtual void SetWindowIcon(const Surface& /*icon*/) {}
    // The window's pixels changed inside `area` (display coordinates, exclusive right/bottom).
    virtual void Present(const Surface& display, const RECT& area) = 0;
    virtual void CloseWindow() = 0;

    // Called at the start of every look at the queue: post due input with PostStylus/PostClose.
    virtual void Poll() = 0;
    // Called when a look found nothing waiting: a backend may wait briefly for input here, or
    // advance its virtual clock.
    virtual void Idle() = 0;

    virtual uint32_t Now() = 0;
    virtual bool StylusDown() = 0;

    // Starts a sound, replacing the one playing.
    virtual void PlaySound(const Sound& sound) = 0;

    // Another running copy of the program: find it and bring it forward.
    virtual bool FindRunningInstance() { return false; }
    virtual void BringRunningInstanceForward() {}

    // The program ended with this exit code.
    virtual void Exited(int /*code*/) {}
};

}  // namespace platform
