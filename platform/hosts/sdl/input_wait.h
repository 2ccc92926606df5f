// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The desktop host's wait for input between looks at the queue: as long as the platform allows,
// cheaply, and ended by the window system's input or by any of the backend's own descriptors
// (the single-instance socket, audio device changes).
// Depends on: SDL2's events; on X11, Xlib and poll on the connection's socket itself, since
// SDL's own wait reads the connection a dozen times a pass, which costs as much as the waiting
// saves. Cannot: wait on other window systems (Wayland, ...) for longer than kOtherSystemsMs at
// a time: there SDL's wait is used, which watches none of the backend's descriptors.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

namespace platform {

class InputWait {
  public:
    // Longest single wait where the window system's socket is not ours to watch.
    static constexpr uint32_t kOtherSystemsMs = 250;

    struct Woken {
        bool window = false;  // SDL may have events to gather
        bool other = false;   // one of the descriptors is readable
    };

    // Watches the window's connection when the window is on X11.
    explicit InputWait(SDL_Window* window);

    // Waits at most `ms` (kUntilInput: without limit) for input or a readable descriptor.
    Woken Wait(uint32_t ms, const std::vector<int>& fds);

  private:
    void* display_ = nullptr;  // the X11 connection, when the window is on X11
    int fd_ = -1;
};

}  // namespace platform
