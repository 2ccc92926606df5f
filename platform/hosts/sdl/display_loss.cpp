// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The desktop host losing its display (what it is for, depends on and cannot do:
// display_loss.h).
#include "platform/hosts/sdl/display_loss.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstring>

#include "platform/hosts/desktop_instance.h"
#include "platform/hosts/missing_capability.h"

#if defined(QUILLBY_X11)
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#endif

namespace platform {
namespace {

#if defined(QUILLBY_X11)
std::string& DisplayName() {
    static std::string name;
    return name;
}

// Xlib calls this when the connection breaks, on whichever thread read it, and ends the
// process if it returns: it never does.
int OnLostX11Display(Display*) {
    EndForLostDisplay("the connection to " + DisplayName() + " was lost");
}
#endif

}  // namespace

void EndForLostDisplay(const std::string& why) {
    ReportMissing("display", why, "ending");
    RemoveListeningEndpoint();
    _exit(1);
}

void EndOnLostDisplay(const std::string& name) {
#if defined(QUILLBY_X11)
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || std::strcmp(driver, "x11") != 0) return;
    DisplayName() = name;
    XSetIOErrorHandler(OnLostX11Display);
#else
    (void)name;
#endif
}

bool WaylandDisplayLost(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_WAYLAND) && defined(QUILLBY_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_WAYLAND)
        return false;
    // SDL loaded the library itself; this finds that copy and loads nothing new.
    void* library = dlopen("libwayland-client.so.0", RTLD_NOW | RTLD_NOLOAD);
    if (!library) return false;
    using GetError = int (*)(struct wl_display*);
    auto getError = reinterpret_cast<GetError>(dlsym(library, "wl_display_get_error"));
    bool lost = getError && getError(info.info.wl.display) != 0;
    dlclose(library);
    return lost;
#else
    (void)window;
    return false;
#endif
}

}  // namespace platform
