// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The desktop host: the display in an SDL window at a whole-number scale, the left mouse
// button and touch as the stylus, sound through the audio device, and one running copy per
// user.
#pragma once

#include <SDL.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/backend.h"
#include "platform/sdl/input_wait.h"
#include "platform/sdl/instance.h"
#include "platform/sdl/layout.h"
#include "platform/sdl/mixer.h"

namespace platform {

struct DesktopOptions {
    int scale = 0;  // 0: the largest whose window fits the screen
    bool fullscreen = false;
    uint32_t startTick = 0;    // what the clock reads until the loop first looks at the queue
    std::string instancePath;  // where copies meet; empty: every launch runs on its own
    bool sound = true;
    std::string statsPath;  // where Exited writes the loop's figures, when set
};

// How often the loop looked at the queue and how long it went without looking: a timed redraw
// or an animation step is late by at most the gap. The gaps count from the first frame on.
struct LoopStats {
    uint64_t looks = 0;
    uint64_t renders = 0;
    uint64_t gapsOver10Ms = 0;
    double maxGapMs = 0;
    std::vector<uint32_t> gapHistogram = std::vector<uint32_t>(101);  // whole ms, last is 100+
    double firstFrameWallS = 0;        // the Unix time at which the first frame was shown
    std::vector<uint32_t> frameTicks;  // the clock at each frame (the first thousand)
};

class SdlBackend : public Backend {
  public:
    // The caller has initialised SDL's video and quits it after this is gone.
    explicit SdlBackend(DesktopOptions options);
    ~SdlBackend() override;

    bool OpenWindow(const std::wstring& title) override;
    void Present(const Surface& display, const RECT& area) override;
    void CloseWindow() override;
    void Poll() override;
    void Idle() override;
    uint32_t Now() override;
    bool StylusDown() override;
    void PlaySound(const Sound& sound) override;
    bool FindRunningInstance() override;
    void BringRunningInstanceForward() override;
    void Exited(int code) override;

    SDL_Window* window() const { return window_; }
    SDL_Renderer* renderer() const { return renderer_; }
    // Where the picture sits in the window's output now.
    PictureLayout Layout() const;
    const LoopStats& stats() const { return stats_; }

  private:
    // Takes SDL's waiting events and turns them into the program's input.
    void Gather();
    void Handle(const SDL_Event& event);
    // Posts a press or release at a window point; false when it is not the stylus's.
    bool Stylus(bool down, float windowX, float windowY);
    int WindowWidth() const;
    int WindowHeight() const;
    void Render();
    bool MakeTexture();
    void SetIcon();
    void OpenAudio();

    DesktopOptions options_;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    int scale_ = 1;
    bool shown_ = false;

    const Surface* display_ = nullptr;
    RECT dirty_{0, 0, 0, 0};  // pixels to copy into the texture before the next frame
    bool frameDue_ = false;   // the window needs a new frame, even with nothing to copy

    bool pressed_ = false;     // a press inside the picture that has not come up yet
    bool touching_ = false;    // that press is a finger's
    SDL_FingerID finger_ = 0;  // the finger that is the stylus while touching_

    std::unique_ptr<InputWait> wait_;  // on the window's connection once there is a window
    bool idled_ = false;               // Idle gathered input since the last look
    bool callerWaiting_ = false;       // the instance socket has a new caller
    uint64_t lastGather_ = 0;          // SDL's tick when input was last gathered

    bool looked_ = false;  // the loop has looked at the queue: the clock runs
    uint64_t origin_ = 0;  // SDL's tick at that first look
    std::chrono::steady_clock::time_point lastLook_;
    bool firstFrameGap_ = false;
    LoopStats stats_;

    std::unique_ptr<InstanceEndpoint> instance_;

    std::optional<Sound> soundBeforeFrame_;
    bool audioTried_ = false;
    SDL_AudioDeviceID audio_ = 0;
    AudioFormat audioFormat_;
    std::unique_ptr<Mixer> mixer_;
    // Every sound converted once and kept: the game has a handful, played again and again.
    std::map<std::pair<const uint8_t*, size_t>, std::vector<float>> converted_;
};

}  // namespace platform
