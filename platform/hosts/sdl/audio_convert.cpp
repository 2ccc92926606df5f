// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The desktop host's sound conversion (what it is for, depends on and cannot do: mixer.h).
// SDL's audio stream does the resampling and the change of sample format and channel count.
#include <SDL.h>

#include <algorithm>
#include <cstdint>

#include "platform/hosts/sdl/mixer.h"

namespace platform {
namespace {

// SDL 2.26's stream drops part of a large block when it resamples (a second of sound put in
// at once comes out a tenth short), so the sound goes in small pieces, each taken out at once.
constexpr size_t kPieceSamples = 256;
// Its flush also pads 8-bit sound with zero bytes, which are full negative scale, not silence:
// the resampler would ring after the sound's end. The sound is followed by real silence of
// its own format instead, and the output cut back to the sound's length.
constexpr size_t kTailSamples = 64;

bool TakeOut(SDL_AudioStream* stream, std::vector<float>& out) {
    int available = SDL_AudioStreamAvailable(stream);
    if (available <= 0) return true;
    size_t at = out.size();
    out.resize(at + size_t(available) / sizeof(float));
    int got = SDL_AudioStreamGet(stream, out.data() + at, available);
    if (got < 0) return false;
    out.resize(at + size_t(got) / sizeof(float));
    return true;
}

}  // namespace

std::vector<float> ConvertSound(const Sound& sound, const AudioFormat& device) {
    std::vector<float> out;
    if (!sound.data || !sound.dataBytes || !sound.sampleRate) return out;
    bool eight = sound.bitsPerSample == 8;
    SDL_AudioStream* stream =
        SDL_NewAudioStream(eight ? AUDIO_U8 : AUDIO_S16LSB, 1, int(sound.sampleRate), AUDIO_F32SYS,
                           Uint8(device.channels), device.rate);
    if (!stream) return out;
    const size_t sampleBytes = eight ? 1 : 2;
    const size_t bytes = sound.dataBytes - sound.dataBytes % sampleBytes;
    out.reserve(bytes / sampleBytes * size_t(device.rate) / sound.sampleRate *
                    size_t(device.channels) +
                64);
    bool ok = true;
    for (size_t at = 0; ok && at < bytes; at += kPieceSamples * sampleBytes) {
        size_t piece = std::min(kPieceSamples * sampleBytes, bytes - at);
        ok = SDL_AudioStreamPut(stream, sound.data + at, int(piece)) == 0 && TakeOut(stream, out);
    }
    const std::vector<uint8_t> silence(kTailSamples * sampleBytes, eight ? 0x80 : 0);
    ok = ok && SDL_AudioStreamPut(stream, silence.data(), int(silence.size())) == 0 &&
         SDL_AudioStreamFlush(stream) == 0 && TakeOut(stream, out);
    SDL_FreeAudioStream(stream);
    if (!ok) out.clear();
    size_t frames =
        size_t((uint64_t(bytes / sampleBytes) * uint64_t(device.rate) + sound.sampleRate - 1) /
               sound.sampleRate);
    out.resize(std::min(out.size(), frames * size_t(device.channels)));
    out.resize(out.size() - out.size() % size_t(device.channels));
    return out;
}

}  // namespace platform
