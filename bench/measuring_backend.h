// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// A backend around another that times the loop, for bench/measure_desktop.sh: how often the
// loop looked at the queue and how long it went without looking while the program moved (a
// timed redraw or an animation step is late by at most that gap), and when frames came.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/backend.h"

class MeasuringBackend : public platform::Backend {
  public:
    // Writes the figures to `statsPath` when the program ends.
    MeasuringBackend(std::unique_ptr<platform::Backend> inner, std::string statsPath);

    bool OpenWindow(const std::wstring& title) override { return inner_->OpenWindow(title); }
    void SetWindowIcon(const platform::Surface& icon) override { inner_->SetWindowIcon(icon); }
    void CloseWindow() override { inner_->CloseWindow(); }
    void Poll() override;
    void Idle(uint32_t waitMs) override;
    uint32_t Now() override { return inner_->Now(); }
    bool StylusDown() override { return inner_->StylusDown(); }
    bool FindRunningInstance() override { return inner_->FindRunningInstance(); }
    void BringRunningInstanceForward() override { inner_->BringRunningInstanceForward(); }
    void Exited(int code) override;

  protected:
    void Show(const platform::Surface& display, const RECT& area) override;
    void StartSound(const platform::Sound& sound) override { inner_->PlaySound(sound); }

  private:
    using Clock = std::chrono::steady_clock;

    std::unique_ptr<platform::Backend> inner_;
    std::string statsPath_;

    uint64_t looks_ = 0;
    uint64_t frames_ = 0;  // frames of the program's copies
    uint64_t gapsOver10Ms_ = 0;
    uint64_t restingLooks_ = 0;  // looks after a wait that could last until input
    double maxGapMs_ = 0;
    std::vector<uint32_t> gapHistogram_ = std::vector<uint32_t>(101);  // whole ms, last: 100+
    double firstFrameWallS_ = 0;        // the Unix time at which the first frame was shown
    std::vector<uint32_t> frameTicks_;  // the clock at each frame (the first thousand)

    bool frameDue_ = false;   // the program copied onto the window since the last look
    bool gapCounts_ = false;  // the gap since the last look is one a tick could be late by
    Clock::time_point lastLook_;
};

// Wraps the desktop backend for the measuring build; reads QUILLBY_DESKTOP_STATS.
std::unique_ptr<platform::Backend> Measured(std::unique_ptr<platform::Backend> inner);
