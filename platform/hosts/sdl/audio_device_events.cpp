// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Audio devices coming and going (what it is for, depends on and cannot do:
// audio_device_events.h).
#include "platform/hosts/sdl/audio_device_events.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>
#include <utility>

namespace platform {

AudioDeviceEvents::AudioDeviceEvents() : fd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
    SDL_AddEventWatch(Watch, this);
}

AudioDeviceEvents::~AudioDeviceEvents() {
    SDL_DelEventWatch(Watch, this);
    if (fd_ >= 0) close(fd_);
}

int AudioDeviceEvents::Watch(void* self, SDL_Event* event) {
    // Called on the pushing thread, before the event joins SDL's queue: the event is kept here
    // first, so that whoever the descriptor wakes finds it. SDL's signal handler pushes its quit
    // event through here too, which is why every other type returns at once.
    if (event->type != SDL_AUDIODEVICEADDED && event->type != SDL_AUDIODEVICEREMOVED) return 1;
    auto* events = static_cast<AudioDeviceEvents*>(self);
    {
        std::lock_guard<std::mutex> lock(events->mutex_);
        events->waiting_.push_back(event->adevice);
    }
    if (events->fd_ >= 0) {
        uint64_t one = 1;
        (void)!write(events->fd_, &one, sizeof one);
    }
    return 1;
}

std::vector<SDL_AudioDeviceEvent> AudioDeviceEvents::Take() {
    // The descriptor is emptied before the list is taken: an event pushed in between is taken
    // now and wakes a wait once more for nothing, rather than waiting unseen.
    if (fd_ >= 0) {
        uint64_t count = 0;
        (void)!read(fd_, &count, sizeof count);
    }
    std::lock_guard<std::mutex> lock(mutex_);
    return std::exchange(waiting_, {});
}

}  // namespace platform
