// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The desktop host (what it is for, depends on and cannot do: sdl_backend.h).
#include "platform/hosts/sdl/sdl_backend.h"

#include <cstdio>
#include <utility>

#include "platform/host.h"
#include "platform/hosts/sdl/display_loss.h"

namespace platform {
namespace {

std::string Utf8(const std::wstring& text) {
    std::string out;
    for (wchar_t wc : text) {
        auto c = uint32_t(wc);
        if (c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) c = 0xFFFD;
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | c >> 6);
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | c >> 12);
            out += char(0x80 | (c >> 6 & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | c >> 18);
            out += char(0x80 | (c >> 12 & 0x3F));
            out += char(0x80 | (c >> 6 & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

}  // namespace

SdlBackend::SdlBackend(DesktopOptions options)
    : options_(std::move(options)),
      window_(options_.scale, options_.fullscreen),
      instance_(std::move(options_.instance)),
      wait_(std::make_unique<InputWait>(nullptr)) {}

SdlBackend::~SdlBackend() {
    CloseWindow();
}

bool SdlBackend::OpenWindow(const std::wstring& title) {
    if (!window_.Open(Utf8(title))) return false;
    wait_ = std::make_unique<InputWait>(window_.window());
    // Answer later launches from now on: the program claimed the display's lock just before.
    if (instance_) instance_->Listen();
    return true;
}

void SdlBackend::CloseWindow() {
    window_.Close();
    wait_ = std::make_unique<InputWait>(nullptr);
    stylus_.Reset();
}

void SdlBackend::Show(const Surface& display, const RECT& area) {
    window_.Copy(display, area);
}

void SdlBackend::Poll() {
    if (!looked_) {
        looked_ = true;
        origin_ = SDL_GetTicks64();
    }
    // While the loop finds messages it does not idle: input is gathered here instead.
    if (!idled_) Gather();
    idled_ = false;
    bool first = !window_.shown();
    if (window_.Render() && first) FirstFrameShown();
}

void SdlBackend::FirstFrameShown() {
    // The opening sound comes while the program builds its screens: it starts with the first
    // frame, and opening the device does not hold that frame back.
    if (soundBeforeFrame_) audio_.Play(*std::exchange(soundBeforeFrame_, std::nullopt));
}

void SdlBackend::Idle(uint32_t waitMs) {
    idled_ = true;
    // At rest the audio device closes once its sound has ended, and is woken for that.
    if (waitMs == kUntilInput) waitMs = audio_.Rest();
    std::vector<int> fds{audio_.changesFd()};
    if (instance_) {
        std::vector<int> more = instance_->Descriptors();
        fds.insert(fds.end(), more.begin(), more.end());
    }
    InputWait::Woken woken = wait_->Wait(waitMs, fds);
    if (woken.other) AnswerCallers();
    if (woken.window || woken.other) Gather();
}

void SdlBackend::AnswerCallers() {
    if (instance_ && instance_->TakeForwardRequest()) window_.Raise();
}

void SdlBackend::Gather() {
    audio_.TakeDeviceChanges();
    // Pumping and then taking every event, rather than SDL_PollEvent: that one stops at a marker
    // SDL's own waiting may leave in the queue, and would leave later events for another pass.
    SDL_PumpEvents();
    SDL_Event events[16];
    int n = 0;
    while ((n = SDL_PeepEvents(events, 16, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT)) > 0)
        for (int i = 0; i < n; ++i) Handle(events[i]);
}

void SdlBackend::Handle(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT:
            // Wayland's way of saying that the compositor has gone.
            if (WaylandDisplayLost(window_.window()))
                EndForLostDisplay("the connection to the Wayland compositor was lost");
            PostClose();
            break;
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_CLOSE) PostClose();
            window_.Handle(event);
            break;
        default:
            // Audio device changes were taken as they were pushed (audio_device_events.h).
            window_.Handle(event);
            stylus_.Handle(event);
            break;
    }
}

uint32_t SdlBackend::Now() {
    if (!looked_) return options_.startTick;
    return options_.startTick + uint32_t(SDL_GetTicks64() - origin_);
}

void SdlBackend::StartSound(const Sound& sound) {
    if (!options_.sound) return;
    if (!window_.shown()) {
        soundBeforeFrame_ = sound;
        return;
    }
    audio_.Play(sound);
}

bool SdlBackend::FindRunningInstance() {
    if (!instance_) return false;
    InstanceEndpoint::Found found = instance_->Claim();
    if (found == InstanceEndpoint::Found::kHung)
        std::fputs("quillby: the Quillby already running does not answer; opening another\n",
                   stderr);
    return found == InstanceEndpoint::Found::kRunning;
}

void SdlBackend::BringRunningInstanceForward() {
    if (!instance_) return;
    std::fputs("quillby: Quillby is already running; bringing it to the front\n", stderr);
    instance_->AskOtherForward();
}

}  // namespace platform
