// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Waiting for input between looks at the queue, cheaply: a waiting child's game should let the
// processor sleep, yet wake within a few milliseconds for its next tick.
#pragma once

#include <SDL.h>

namespace platform {

class InputWait {
  public:
    // On X11 the wait watches the connection's socket itself; SDL's own wait reads the
    // connection a dozen times a pass, which costs as much as the waiting saves.
    explicit InputWait(SDL_Window* window);

    // Waits at most `ms` for the window system's input or for `extraFd` (if not -1) to become
    // readable. True when SDL may have events to gather; `extraReady` tells about `extraFd`.
    bool Wait(int ms, int extraFd, bool& extraReady);

  private:
    void* display_ = nullptr;  // the X11 connection, when the window is on X11
    int fd_ = -1;
};

}  // namespace platform
