// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Sound for the desktop: the game's PCM converted to the device's format, and a mixer that
// plays one sound at a time. A new sound replaces the one playing, which fades out over a few
// milliseconds instead of stopping dead, since a waveform cut mid-swing clicks; or, when the
// program asks for it after the one playing has ended by the program's clock (the device plays
// a buffer or two behind, more when it has just opened), it starts as long after that one's
// start as the program asked for it, so that neither is cut and the pause between them is the
// program's.
// Depends on: SDL2's audio streams for the conversion alone; the mixer on nothing.
// Cannot: play more than one sound at full level, or change a sound's level or pitch; keep more
// than one sound waiting to follow (a second one asked for before the first has started, when
// the device lags the program by more than the time between them, takes its place).
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/formats/wave.h"

namespace platform {

// What the audio device plays: 32-bit float samples, `channels` interleaved, at `rate`.
struct AudioFormat {
    int rate = 48000;
    int channels = 2;
};

// The sound's samples at the device's rate, the mono signal on every channel. Empty for a
// sound with no data.
std::vector<float> ConvertSound(const Sound& sound, const AudioFormat& device);

// Not thread-safe: the audio callback calls Mix and the program calls Play under the device's
// lock. Neither allocates nor frees, so the callback never waits on the heap; the samples
// belong to the caller and must outlive their playing.
class Mixer {
  public:
    static constexpr int kFadeMs = 5;

    explicit Mixer(AudioFormat format);

    // Starts these frames (interleaved, in the device's format), fading out what was playing.
    // No frames: fades out to silence. Given `afterStart`, frames since the start of the last
    // sound asked for: that long after it (once it has played whole), unless that is past.
    void Play(const float* samples, size_t frames, std::optional<size_t> afterStart = {});
    // Fills `frames` frames of `out` with what is playing, silence where nothing is.
    void Mix(float* out, size_t frames);
    bool Silent() const;
    // Frames until every voice has ended (a fade's rest included).
    size_t FramesLeft() const;
    int channels() const { return format_.channels; }

  private:
    struct Voice {
        const float* samples = nullptr;
        size_t frames = 0;
        size_t at = 0;
        bool fading = false;
        size_t fadeLeft = 0;  // frames until a fading voice is silent
        bool Active() const { return samples && at < frames && (!fading || fadeLeft > 0); }
        size_t Left() const {
            if (!Active()) return 0;
            return fading ? std::min(frames - at, fadeLeft) : frames - at;
        }
    };

    // Adds what is left of `v` to `out`, up to `frames` frames; gives how many it added.
    size_t AddVoice(Voice& v, float* out, size_t frames);

    AudioFormat format_;
    size_t fadeFrames_;
    Voice current_;
    size_t sinceStart_ = SIZE_MAX / 2;  // frames mixed since current_ started
    Voice next_;                        // starts when sinceStart_ reaches nextAt_
    size_t nextAt_ = 0;
    // Sounds cut off in quick succession each finish their fade.
    std::array<Voice, 4> fading_{};
};

}  // namespace platform
