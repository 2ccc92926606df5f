// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Audio devices coming and going, caught as SDL announces them. SDL's audio threads push these
// events, which wake nothing waiting on the window system's socket: they are kept here as they
// are pushed, and an event file descriptor becomes readable, which a wait in poll can watch.
// Depends on: SDL2's event watch and Linux's eventfd. Cannot: see devices SDL does not report
// (when SDL's audio is not initialised it reports none).
#pragma once

#include <SDL.h>

#include <mutex>
#include <vector>

namespace platform {

class AudioDeviceEvents {
  public:
    AudioDeviceEvents();
    ~AudioDeviceEvents();
    AudioDeviceEvents(const AudioDeviceEvents&) = delete;
    AudioDeviceEvents& operator=(const AudioDeviceEvents&) = delete;

    // Readable while events wait to be taken; -1 when none could be made (then a waiting
    // program learns of a device's change at its next input).
    int fd() const { return fd_; }
    // The device events pushed since the last call, oldest first.
    std::vector<SDL_AudioDeviceEvent> Take();

  private:
    static int SDLCALL Watch(void* self, SDL_Event* event);

    int fd_ = -1;
    std::mutex mutex_;
    std::vector<SDL_AudioDeviceEvent> waiting_;
};

}  // namespace platform
