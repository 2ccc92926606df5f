// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The desktop host's start-up: SDL's video first (without it there is nothing to show), then
// the program on the SDL backend, one copy per display.
// Depends on: SDL2 and the SDL backend. Cannot: run without a display, or on a video driver
// that draws nowhere unless SDL_VIDEODRIVER asks for one.
#include "platform/hosts/desktop.h"

#include <SDL.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "platform/hosts/missing_capability.h"
#include "platform/hosts/sdl/desktop_start.h"
#include "platform/hosts/sdl/display_loss.h"
#include "platform/hosts/sdl/sdl_backend.h"
#include "platform/hosts/start_up.h"

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

bool Set(const char* value) {
    return value && *value;
}

}  // namespace

bool HasDesktop() {
    return true;
}

int RunDesktop(const CommandLine& c) {
    return RunDesktopWith(c, nullptr);
}

int RunDesktopWith(const CommandLine& c, BackendWrapper wrap) {
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
        if (!Set(x11) && !Set(wayland)) {
            ReportMissing("display", "DISPLAY is not set", "cannot open a window");
            return 1;
        }
        // Only X: without this SDL would go on to try Wayland, whose library complains on
        // stderr, and end on a driver that draws nowhere.
        if (!Set(wayland)) SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    }
    DesktopOptions options;
    // Who runs on this display is decided before SDL connects to it: a launch that finds a
    // running copy only asks it forward, which needs no display connection of its own (and a
    // storm of launches leaves the processor to the copy that is starting).
    std::string meeting =
        InstanceSocketPath(DisplayKey(x11, wayland, std::getenv("SDL_VIDEODRIVER")));
    if (!meeting.empty()) options.instance = std::make_unique<InstanceEndpoint>(meeting);
    bool forwardOnly =
        options.instance && options.instance->Claim() == InstanceEndpoint::Found::kRunning;
    if (!forwardOnly) {
        if (SDL_Init(SDL_INIT_VIDEO) != 0 || DrawsNowhere(SDL_GetCurrentVideoDriver())) {
            std::string why =
                SDL_WasInit(SDL_INIT_VIDEO) ? "none that shows a window" : SDL_GetError();
            if (Set(x11)) why += std::string(", DISPLAY=") + x11;
            ReportMissing("display", why, "cannot open a window");
            SDL_Quit();
            return 1;
        }
        EndOnLostDisplay(Set(x11) ? x11 : "the display");
    }
    options.scale = c.scale;
    options.fullscreen = c.fullscreen;
    options.startTick = c.startTickGiven ? c.startTick : BootTick();

    std::unique_ptr<Backend> backend = std::make_unique<SdlBackend>(std::move(options));
    if (wrap) backend = wrap(std::move(backend));
    ProgramStart start;
    start.commandLine = c.line;
    start.language = c.uiLanguage;
    start.ended = [](int code) {
        ReportIfNoWindow(code, SDL_GetError());
        return code;
    };
    int code = RunProgram(WinMain, std::move(backend), start);
    SDL_Quit();
    return code;
}

}  // namespace platform
