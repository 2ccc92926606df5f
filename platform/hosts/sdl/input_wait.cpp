// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The desktop host's wait for input (what it is for, depends on and cannot do: input_wait.h).
// Kept apart from the platform's headers: X11's names (Bool, Window, None...) are many.
#include "platform/hosts/sdl/input_wait.h"

#include <poll.h>

#include <algorithm>

#include "platform/hosts/idle_policy.h"

#if defined(QUILLBY_X11)
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#endif

namespace platform {
namespace {

int PollTimeout(uint32_t ms) {
    return ms == kUntilInput ? -1 : int(std::min<uint32_t>(ms, INT32_MAX));
}

// Polls the window system's descriptor (when not -1) and the others; says which woke.
InputWait::Woken PollAll(int windowFd, const std::vector<int>& fds, int timeout) {
    std::vector<pollfd> all{{windowFd, POLLIN, 0}};
    for (int fd : fds) all.push_back(pollfd{fd, POLLIN, 0});
    int ready = poll(all.data(), all.size(), timeout);
    InputWait::Woken woken;
    // An interrupted wait may be a signal that SDL turns into a quit event.
    woken.window = ready < 0 || (windowFd >= 0 && all[0].revents != 0);
    woken.other = ready > 0 && std::any_of(all.begin() + 1, all.end(),
                                           [](const pollfd& p) { return p.revents != 0; });
    return woken;
}

}  // namespace

InputWait::InputWait(SDL_Window* window) {
#if defined(QUILLBY_X11)
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

InputWait::Woken InputWait::Wait(uint32_t ms, const std::vector<int>& fds) {
#if defined(QUILLBY_X11)
    if (display_) {
        auto* display = static_cast<Display*>(display_);
        if (SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) return Woken{true, false};
        // Requests still in Xlib's buffer must reach the server before we sleep, and events
        // Xlib has read already will not make the socket readable.
        XFlush(display);
        if (XEventsQueued(display, QueuedAlready) > 0) return Woken{true, false};
        return PollAll(fd_, fds, PollTimeout(ms));
    }
#endif
    Woken woken;
    woken.window = SDL_WaitEventTimeout(nullptr, int(std::min(ms, kOtherSystemsMs))) == 1;
    woken.other = PollAll(-1, fds, 0).other;
    return woken;
}

}  // namespace platform
