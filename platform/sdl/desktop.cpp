// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The desktop host's start-up: SDL's video first (without it there is nothing to show), then
// the program on the SDL backend.
#include "platform/desktop.h"

#include <SDL.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>

#include "platform/host.h"
#include "platform/sdl/sdl_backend.h"
#include "shell/platform.h"

namespace platform {
namespace {

// SDL falls back to drivers that draw nowhere when there is no display: a game in an
// invisible window is of no use to anyone, unless SDL_VIDEODRIVER asked for it.
bool DrawsNowhere(const char* driver) {
    return !std::getenv("SDL_VIDEODRIVER") && driver &&
           (!std::strcmp(driver, "offscreen") || !std::strcmp(driver, "dummy"));
}

// Milliseconds since the machine started, like the handheld's tick: each launch seeds the
// game's rounds differently. (SDL's own tick starts near 0 at every launch.)
uint32_t BootTick() {
    auto since = std::chrono::steady_clock::now().time_since_epoch();
    return uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

}  // namespace

bool HasDesktop() {
    return true;
}

int RunDesktop(const CommandLine& c) {
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // A child's first tap on a window in the background should count.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Quillby");
    // A 240x320 picture needs no graphics card: SDL's software renderer drawing straight into
    // an X image costs a few milliseconds a frame, where an OpenGL context would load a shader
    // compiler and its threads (some 90 MB more). SDL_RENDER_DRIVER and
    // SDL_FRAMEBUFFER_ACCELERATION in the environment still choose otherwise.
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (!std::getenv("SDL_VIDEODRIVER")) {
        if ((!x11 || !*x11) && (!wayland || !*wayland)) {
            std::cerr << "quillby: cannot open a window: no display (DISPLAY is not set)\n";
            return 1;
        }
        // Only X: without this SDL would go on to try Wayland, whose library complains on
        // stderr, and end on a driver that draws nowhere.
        if (!wayland || !*wayland) SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    }
    if (SDL_Init(SDL_INIT_VIDEO) != 0 || DrawsNowhere(SDL_GetCurrentVideoDriver())) {
        std::cerr << "quillby: cannot open a window: "
                  << (SDL_WasInit(SDL_INIT_VIDEO) ? "no display" : SDL_GetError());
        if (x11 && *x11) std::cerr << " (DISPLAY=" << x11 << ")";
        std::cerr << "\n";
        SDL_Quit();
        return 1;
    }
    DesktopOptions options;
    options.scale = c.scale;
    options.fullscreen = c.fullscreen;
    options.startTick = c.startTickGiven ? c.startTick : BootTick();
    options.instancePath = InstanceSocketPath();
    // bench/measure_desktop.sh reads the loop's figures from this file when the game ends.
    if (const char* stats = std::getenv("QUILLBY_DESKTOP_STATS")) options.statsPath = stats;

    auto owned = std::make_unique<SdlBackend>(std::move(options));
    SdlBackend* backend = owned.get();
    Start(std::move(owned));
    int code = WinMain(GetModuleHandleW(nullptr), nullptr, const_cast<LPWSTR>(L""), SW_SHOW);
    backend->Exited(code);
    Stop();
    SDL_Quit();
    return code;
}

}  // namespace platform
