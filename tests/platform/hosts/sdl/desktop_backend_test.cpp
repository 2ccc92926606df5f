// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The SDL backend on SDL's dummy video driver: a real window and renderer drawing into memory,
// fed with the events a desktop would send.
#include <SDL.h>
#include <gtest/gtest.h>
#include <poll.h>

#include <algorithm>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/host.h"
#include "platform/hosts/idle_policy.h"
#include "platform/hosts/sdl/sdl_backend.h"
#include "shell/platform.h"

namespace {

using platform::DesktopOptions;
using platform::SdlBackend;
using platform::Sound;
using Messages = std::vector<std::string>;

class DesktopBackendTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    }
    static void TearDownTestSuite() { SDL_Quit(); }
    void TearDown() override {
        platform::Stop();
        unsetenv("SDL_AUDIODRIVER");
    }

    // Starts the platform on the SDL backend, silent unless `sound`, and creates the window.
    void Open(int scale, bool fullscreen = false, bool sound = false) {
        auto owned =
            std::make_unique<SdlBackend>(DesktopOptions{scale, fullscreen, 0, nullptr, sound});
        backend = owned.get();
        platform::Start(std::move(owned));
        WNDCLASSW cls{};
        cls.lpfnWndProc = DefWindowProcW;
        cls.lpszClassName = L"FIRST";
        RegisterClassW(&cls);
        ASSERT_TRUE(CreateWindowExW(0, L"FIRST", L"Quillby", 0, CW_USEDEFAULT, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr,
                                    nullptr));
    }

    void Push(SDL_Event e) {
        e.common.timestamp = SDL_GetTicks();
        ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
    }
    Uint32 id() { return backend->window().id(); }
    void Mouse(bool down, int x, int y, Uint8 button = SDL_BUTTON_LEFT, Uint32 which = 0) {
        SDL_Event e{};
        Uint32 type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        e.button = {type, 0, id(), which, button, down, 1, 0, x, y};
        Push(e);
    }
    // A press at (x0, y0) and its release at (x1, y1).
    void Stroke(int x0, int y0, int x1, int y1, Uint8 button = SDL_BUTTON_LEFT, Uint32 which = 0) {
        Mouse(true, x0, y0, button, which);
        Mouse(false, x1, y1, button, which);
    }
    void Finger(bool down, SDL_FingerID finger, float x, float y) {
        SDL_Event e{};
        e.tfinger = {down ? SDL_FINGERDOWN : SDL_FINGERUP, 0, 1, finger, x, y, 0, 0, 0, id()};
        Push(e);
    }
    void DeviceEvent(Uint32 type, Uint32 which) {
        SDL_Event e{};
        e.adevice = {type, 0, which, 0, 0, 0, 0};
        Push(e);
    }
    void WindowEvent(Uint8 event) {
        SDL_Event e{};
        e.window = {SDL_WINDOWEVENT, 0, id(), event, 0, 0, 0, 0, 0};
        Push(e);
    }

    // The stylus and close messages waiting, as "down X Y", "up X Y", "close".
    Messages Posted() {
        Messages got;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            std::string xy =
                " " + std::to_string(LOWORD(msg.lParam)) + " " + std::to_string(HIWORD(msg.lParam));
            if (msg.message == WM_LBUTTONDOWN) got.push_back("down" + xy);
            if (msg.message == WM_LBUTTONUP) got.push_back("up" + xy);
            if (msg.message == WM_CLOSE) got.push_back("close");
        }
        return got;
    }

    // What the window shows, as COLORREF values.
    std::vector<COLORREF> Shown(int& width, int& height) {
        SDL_Renderer* renderer = backend->window().renderer();
        SDL_GetRendererOutputSize(renderer, &width, &height);
        std::vector<COLORREF> pixels(size_t(width) * height);
        EXPECT_EQ(SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_XBGR8888, pixels.data(),
                                       width * 4),
                  0);
        for (COLORREF& p : pixels) p &= 0xFFFFFF;
        return pixels;
    }

    void ShowFirstFrame(const platform::Surface& display) {
        backend->Present(display, RECT{0, 0, 240, 320});
        backend->Poll();
    }

    SdlBackend* backend = nullptr;
};

// Every display pixel differs from its neighbours in all three colour channels.
platform::Surface Pattern() {
    platform::Surface s(240, 320);
    for (int y = 0; y < 320; ++y)
        for (int x = 0; x < 240; ++x) s.At(x, y) = RGB(x, y & 0xFF, (x * 7 + y * 13) & 0xFF);
    return s;
}

TEST_F(DesktopBackendTest, CopiesGatherIntoOneFramePerLookWithSquareCrispPixels) {
    Open(3);
    platform::Surface display = Pattern();
    ShowFirstFrame(display);
    EXPECT_EQ(backend->window().frames(), 1u);
    int w = 0, h = 0;
    std::vector<COLORREF> shown = Shown(w, h);
    ASSERT_EQ(w, 720);
    ASSERT_EQ(h, 960);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(shown[size_t(y) * w + x], display.At(x / 3, y / 3)) << x << "," << y;

    // Many small copies, as a screen's redraw makes: one frame at the next look, holding all.
    for (int i = 0; i < 40; ++i) {
        display.At(i * 5, i * 7) = RGB(255, i, 0);
        backend->Present(display, RECT{i * 5, i * 7, i * 5 + 1, i * 7 + 1});
    }
    backend->Idle(platform::IdlePolicy::kBriefWaitMs);
    EXPECT_EQ(backend->window().frames(), 1u);
    backend->Poll();
    backend->Poll();  // nothing new: no frame
    EXPECT_EQ(backend->window().frames(), 2u);
    shown = Shown(w, h);
    for (int i = 0; i < 40; ++i) EXPECT_EQ(shown[size_t(i * 21) * w + i * 15], RGB(255, i, 0)) << i;
    WindowEvent(SDL_WINDOWEVENT_EXPOSED);  // uncovered: the picture again, though unchanged
    backend->Poll();
    EXPECT_EQ(backend->window().frames(), 3u);
}

TEST_F(DesktopBackendTest, TheLeftButtonIsTheStylusAndAReleaseOutsideLandsOnTheEdge) {
    Open(2);
    Stroke(2 * 75 + 1, 2 * 20, 2 * 75, 2 * 21 + 1);
    Stroke(20, 600, -35, 700);  // dragged off the bottom-left corner
    EXPECT_EQ(Posted(), (Messages{"down 75 20", "up 75 21", "down 10 300", "up 0 319"}));
    // Other buttons, the copy of a touch and a release with no press before it are no stylus.
    Stroke(100, 100, 100, 100, SDL_BUTTON_RIGHT);
    Stroke(100, 100, 100, 100, SDL_BUTTON_LEFT, SDL_TOUCH_MOUSEID);
    Mouse(false, 50, 50);
    EXPECT_EQ(Posted(), Messages{});
}

TEST_F(DesktopBackendTest, FullScreenLetterboxesThePictureAndIgnoresPressesOnTheBorder) {
    Open(0, true);
    platform::Surface display = Pattern();
    ShowFirstFrame(display);
    int w = 0, h = 0;
    std::vector<COLORREF> shown = Shown(w, h);
    platform::PictureLayout l = backend->window().Layout();
    ASSERT_GT(l.left, 0);
    EXPECT_EQ(l.scale, std::min(w / 240, h / 320));
    EXPECT_EQ(shown[0], RGB(0, 0, 0));
    EXPECT_EQ(shown[size_t(h - 1) * w + w - 1], RGB(0, 0, 0));
    EXPECT_EQ(shown[size_t(l.top + 5 * l.scale) * w + l.left + 9 * l.scale], display.At(9, 5));
    Stroke(l.left - 1, l.top + 10, l.left - 1, l.top + 10);  // just off the picture's left edge
    Stroke(l.left + 45 * l.scale, l.top + 10 * l.scale, w - 1, h - 1);
    EXPECT_EQ(Posted(), (Messages{"down 45 10", "up 239 319"}));
}

TEST_F(DesktopBackendTest, OneFingerIsTheStylusAndTheCloseBoxPostsClose) {
    Open(2);
    Finger(true, 7, 0.5f, 0.25f);
    Finger(true, 8, 0.1f, 0.1f);  // a second finger meanwhile: ignored, as is the mouse
    backend->Poll();
    EXPECT_TRUE(backend->StylusDown());
    Mouse(true, 10, 10);
    Finger(false, 8, 0.1f, 0.1f);
    Finger(false, 7, 1.5f, 0.5f);  // lifted after sliding off the right edge
    WindowEvent(SDL_WINDOWEVENT_CLOSE);
    EXPECT_EQ(Posted(), (Messages{"down 120 80", "up 239 160", "close"}));
    EXPECT_FALSE(backend->StylusDown());
}

TEST_F(DesktopBackendTest, WithoutAnAudioDeviceTheGamePlaysSilentlySayingSoOncePerChange) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    Open(1, false, true);
    std::vector<uint8_t> second(11025, 128);
    Sound sound{0, 11025, 8, second.data(), second.size(), {}};
    testing::internal::CaptureStderr();
    backend->PlaySound(sound);  // the opening sound waits for the first frame
    ShowFirstFrame(platform::Surface(240, 320));
    backend->PlaySound(sound);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    backend->PlaySound(sound);  // not looked for again so soon, unless one appears
    EXPECT_EQ(backend->audio().device(), 0u);
    DeviceEvent(SDL_AUDIODEVICEADDED, 0);
    backend->Poll();
    backend->PlaySound(sound);
    SDL_AudioDeviceID device = backend->audio().device();
    ASSERT_NE(device, 0u);
    SDL_Delay(50);  // the device's thread is mixing the sound when the device goes
    DeviceEvent(SDL_AUDIODEVICEREMOVED, device);
    backend->Poll();
    EXPECT_EQ(backend->audio().device(), 0u);
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    backend->PlaySound(sound);  // none to be found: silently, without another word
    backend->PlaySound(Sound{});
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said.rfind("quillby: no audio device (", 0), 0u) << said;
    EXPECT_TRUE(
        said.ends_with("); playing silently\n"
                       "quillby: found an audio device; playing sound again\n"
                       "quillby: no audio device (it was disconnected); playing silently\n"))
        << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 3) << said;
}

TEST_F(DesktopBackendTest, AtRestTheAudioDeviceClosesOnceItsSoundHasEndedAndOpensForTheNext) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    Open(1, false, true);
    ShowFirstFrame(platform::Surface(240, 320));
    std::vector<uint8_t> fifth(11025 / 5, 128);
    Sound click{0, 11025, 8, fifth.data(), fifth.size(), {}};
    backend->PlaySound(click);
    backend->Idle(platform::IdlePolicy::kBriefWaitMs);  // the program moves: the device stays
    EXPECT_NE(backend->audio().device(), 0u);
    Uint64 start = SDL_GetTicks64();
    while (backend->audio().device() && SDL_GetTicks64() - start < 3000)
        backend->Idle(platform::kUntilInput);
    Uint64 closedAfter = SDL_GetTicks64() - start;
    EXPECT_EQ(backend->audio().device(), 0u);
    EXPECT_GE(closedAfter, 200u);  // not before the sound's end
    backend->PlaySound(click);
    EXPECT_NE(backend->audio().device(), 0u);
}

TEST_F(DesktopBackendTest, DeviceChangesPushedByAnotherThreadWakeAWaitOnTheirDescriptor) {
    platform::AudioDeviceEvents events;
    std::thread pusher([] {
        SDL_Delay(30);
        SDL_Event e{};
        e.adevice = {SDL_AUDIODEVICEREMOVED, 0, 7, 0, 0, 0, 0};
        SDL_PushEvent(&e);
    });
    pollfd p{events.fd(), POLLIN, 0};
    EXPECT_EQ(poll(&p, 1, 5000), 1);
    pusher.join();
    std::vector<SDL_AudioDeviceEvent> taken = events.Take();
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_EQ(taken[0].which, 7u);
    EXPECT_EQ(poll(&p, 1, 0), 0);  // taken: the next wait is not woken for nothing
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

}  // namespace
