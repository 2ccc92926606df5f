// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Kept apart from the platform's headers: X11's names (Bool, Window, None...) are many.
#include "platform/sdl/input_wait.h"

#include <poll.h>

#if defined(QUILLBY_X11_WAIT)
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#endif

namespace platform {

InputWait::InputWait(SDL_Window* window) {
#if defined(QUILLBY_X11_WAIT)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window && SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11) {
        display_ = info.info.x11.display;
        fd_ = ConnectionNumber(info.info.x11.display);
    }
#else
    (void)window;
#endif
}

bool InputWait::Wait(int ms, int extraFd, bool& extraReady) {
    extraReady = false;
    pollfd fds[2] = {{fd_, POLLIN, 0}, {extraFd, POLLIN, 0}};
#if defined(QUILLBY_X11_WAIT)
    if (display_) {
        auto* display = static_cast<Display*>(display_);
        if (SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) return true;
        // Requests still in Xlib's buffer must reach the server before we sleep, and events
        // Xlib has read already will not make the socket readable.
        XFlush(display);
        if (XEventsQueued(display, QueuedAlready) > 0) return true;
        int ready = poll(fds, extraFd >= 0 ? 2 : 1, ms);
        extraReady = extraFd >= 0 && (fds[1].revents & POLLIN);
        // An interrupted wait may be a signal that SDL turns into a quit event.
        return ready != 0 && (ready < 0 || fds[0].revents != 0);
    }
#endif
    bool events = SDL_WaitEventTimeout(nullptr, ms) == 1;
    if (extraFd >= 0) extraReady = poll(&fds[1], 1, 0) > 0 && (fds[1].revents & POLLIN);
    return events;
}

}  // namespace platform
