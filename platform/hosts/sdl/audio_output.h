// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The desktop host's sound: the default audio device, open while sounds play and closed when
// the program rests, each sound converted to the device's format once and kept, and devices
// that go away or appear.
// Depends on: SDL2's audio (initialised here, and quit whenever no device is open, so that a
// resting program keeps none of SDL's audio threads), mixer.h, audio_device_events.h.
// Cannot: choose a device (the system's default is used), or play the first sound after a
// rest without the few milliseconds it takes to open the device again.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "platform/formats/wave.h"
#include "platform/hosts/idle_policy.h"
#include "platform/hosts/sdl/audio_device_events.h"
#include "platform/hosts/sdl/mixer.h"

namespace platform {

class AudioOutput {
  public:
    AudioOutput() = default;
    ~AudioOutput();
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    // Starts a sound (no data: fades to silence), opening the device if it is closed. Without
    // a device it says so once and the game plays on silently.
    void Play(const Sound& sound);
    // Takes the device changes SDL announced: a removed device is closed (the game plays on
    // silently and the next sound looks for another); an added one is used by the next sound.
    void TakeDeviceChanges();
    // The program rests: the device closes once the sound playing has ended. Gives how long a
    // wait may last before asking again (kUntilInput once nothing is open).
    uint32_t Rest();

    // Readable when a device change waits to be taken.
    int changesFd() const { return changes_.fd(); }
    // The open device's SDL id, 0 while none is open.
    SDL_AudioDeviceID device() const { return device_; }

  private:
    bool Open();
    void Close();
    // No device: says so if that is news, and when to look again.
    bool Missing(const char* why, uint64_t lookAgainAfterMs);

    AudioDeviceEvents changes_;
    bool sdlAudio_ = false;  // SDL's audio is initialised (by us)
    SDL_AudioDeviceID device_ = 0;
    AudioFormat format_;
    std::unique_ptr<Mixer> mixer_;
    bool missing_ = false;      // the user was told there is no device
    uint64_t lookAgainAt_ = 0;  // SDL's tick before which a missing device is not looked for
    std::optional<uint64_t> silentSince_;  // SDL's tick when the open device fell silent
    uint64_t lastStart_ = 0;               // SDL's tick when the last sound was asked for
    uint64_t lastLengthMs_ = 0;            // and how long it plays
    // Every sound converted once and kept, for the format it was converted to: the game has a
    // handful, played again and again.
    AudioFormat convertedFor_;
    std::map<std::pair<const uint8_t*, size_t>, std::vector<float>> converted_;
};

}  // namespace platform
