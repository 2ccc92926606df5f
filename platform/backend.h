// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The contract between the platform layer and one host: headless, the SDL desktop or the browser
// (platform/hosts/web). Windows needs none: there the program runs on Win32 itself.
//
// The platform keeps the window, its pixels and the message queue; a backend only shows the
// pixels, reads the host's clock and stylus, plays sounds and, at every look at the queue,
// may post input and wait for it as long as the platform allows.
#pragma once

#include <cstdint>
#include <string>

#include "platform/formats/wave.h"
#include "platform/gdi32/surface.h"
#include "platform/hosts/idle_policy.h"
#include "platform/user32/message_queue.h"

namespace platform {

class Backend {
  public:
    virtual ~Backend() = default;

    // Opens the host's window for the program's one top-level window. False: no display.
    virtual bool OpenWindow(const std::wstring& title) = 0;
    // Called once after OpenWindow with the picture the window shows as its icon: 32 x 32
    // pixels, each a COLORREF with its opacity in the high byte (0xAABBGGRR: SDL's ABGR8888).
    // Hosts without icons ignore it.
    virtual void SetWindowIcon(const Surface& /*icon*/) {}
    virtual void CloseWindow() = 0;

    // The window's pixels changed inside `area` (display coordinates, exclusive right/bottom).
    // Something moved: the platform's idle policy hears of it before the backend shows it.
    void Present(const Surface& display, const RECT& area) {
        NoteActivity();
        Show(display, area);
    }
    // Starts a sound, replacing the one playing (no data: silence). Heard, so noted too.
    void PlaySound(const Sound& sound) {
        NoteActivity();
        StartSound(sound);
    }

    // Called at the start of every look at the queue: post due input with PostStylus/PostClose.
    virtual void Poll() = 0;
    // Called when a look found nothing waiting. The backend may wait up to `waitMs` for input
    // (kUntilInput: until there is some), or advance its virtual clock instead.
    virtual void Idle(uint32_t waitMs) = 0;

    virtual uint32_t Now() = 0;
    virtual bool StylusDown() = 0;

    // Another running copy of the program: find it and bring it forward.
    virtual bool FindRunningInstance() { return false; }
    virtual void BringRunningInstanceForward() {}

    // The program ended with this exit code.
    virtual void Exited(int /*code*/) {}

  protected:
    virtual void Show(const Surface& display, const RECT& area) = 0;
    virtual void StartSound(const Sound& sound) = 0;
};

}  // namespace platform
