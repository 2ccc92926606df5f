// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The desktop host: the platform's backend contract wired to its parts, one job each: the
// window and its frames (sdl_window), mouse and touch as the stylus (stylus_input), sound
// (audio_output), one running copy per display (instance), the wait for input (input_wait)
// and the end of a lost display (display_loss).
// Depends on: SDL2 (video initialised by the caller), and those parts. Cannot: run without a
// display; SDL's offscreen and dummy video drivers serve the tests.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/backend.h"
#include "platform/hosts/desktop_instance.h"
#include "platform/hosts/sdl/audio_output.h"
#include "platform/hosts/sdl/input_wait.h"
#include "platform/hosts/sdl/sdl_window.h"
#include "platform/hosts/sdl/stylus_input.h"

namespace platform {

struct DesktopOptions {
    int scale = 0;  // 0: the largest whose window fits the screen
    bool fullscreen = false;
    uint32_t startTick = 0;  // what the clock reads until the loop first looks at the queue
    // Where copies on this display meet, claimed or not yet; none: each runs alone.
    std::unique_ptr<InstanceEndpoint> instance;
    bool sound = true;
};

class SdlBackend : public Backend {
  public:
    // The caller has initialised SDL's video and quits it after this is gone; only a copy
    // whose claim found another running may go without (it opens no window).
    explicit SdlBackend(DesktopOptions options);
    ~SdlBackend() override;

    bool OpenWindow(const std::wstring& title) override;
    void SetWindowIcon(const Surface& icon) override { window_.SetIcon(icon); }
    void CloseWindow() override;
    void Poll() override;
    void Idle(uint32_t waitMs) override;
    uint32_t Now() override;
    bool StylusDown() override { return stylus_.Down(); }
    bool FindRunningInstance() override;
    void BringRunningInstanceForward() override;

    const SdlWindow& window() const { return window_; }
    const AudioOutput& audio() const { return audio_; }

  protected:
    void Show(const Surface& display, const RECT& area) override;
    void StartSound(const Sound& sound) override;

  private:
    // Takes SDL's waiting events and turns them into the program's input.
    void Gather();
    void Handle(const SDL_Event& event);
    // Callers at the single-instance socket: raises the window when one asks.
    void AnswerCallers();
    void FirstFrameShown();

    DesktopOptions options_;
    SdlWindow window_;
    StylusInput stylus_{window_};
    AudioOutput audio_;
    std::unique_ptr<InstanceEndpoint> instance_;
    std::unique_ptr<InputWait> wait_;  // on the window's connection once there is a window

    bool idled_ = false;   // Idle gathered input since the last look
    bool looked_ = false;  // the loop has looked at the queue: the clock runs
    uint64_t origin_ = 0;  // SDL's tick at that first look
    std::optional<Sound> soundBeforeFrame_;
};

}  // namespace platform
