// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The desktop host's sound (what it is for, depends on and cannot do: audio_output.h).
#include "platform/hosts/sdl/audio_output.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/hosts/missing_capability.h"

namespace platform {
namespace {

// About 21 ms at 48 kHz: short enough for a tap's click to follow the tap.
constexpr Uint16 kBufferFrames = 1024;
// The device plays on for about a buffer (a sound server adds its own) after the mixer has
// given it the last of a sound: closing sooner would cut the sound's end.
constexpr uint64_t kDrainMs = 100;
// A device that could not be opened is looked for again, at the next sound, after this long:
// each look starts SDL's audio again, which takes a few milliseconds.
constexpr uint64_t kLookAgainMs = 3000;

void AudioCallback(void* mixer, Uint8* stream, int bytes) {
    auto* m = static_cast<Mixer*>(mixer);
    m->Mix(reinterpret_cast<float*>(stream), size_t(bytes) / sizeof(float) / size_t(m->channels()));
}

// ALSA's library reports every device it fails to open on stderr, a dozen lines on a machine
// without a sound card. SDL loads it by name; loading it first lets us quieten it, so that a
// missing device is told in the one line of our own.
void SilentAlsaReport(const char*, int, const char*, int, const char*, ...) {}
void QuietenAlsa() {
    static bool done = false;
    if (std::exchange(done, true)) return;
    void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!alsa) return;
    using Report = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetReport = int (*)(Report);
    if (auto set = reinterpret_cast<SetReport>(dlsym(alsa, "snd_lib_error_set_handler")))
        set(SilentAlsaReport);
    // The library stays loaded: SDL shares this copy of it.
}

bool operator!=(const AudioFormat& a, const AudioFormat& b) {
    return a.rate != b.rate || a.channels != b.channels;
}

}  // namespace

AudioOutput::~AudioOutput() {
    Close();
}

bool AudioOutput::Missing(const char* why, uint64_t lookAgainAfterMs) {
    if (!missing_) ReportMissing("audio device", why, "playing silently");
    missing_ = true;
    lookAgainAt_ = SDL_GetTicks64() + lookAgainAfterMs;
    return false;
}

bool AudioOutput::Open() {
    if (device_) return true;
    if (missing_ && SDL_GetTicks64() < lookAgainAt_) return false;
    QuietenAlsa();
    if (!sdlAudio_) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return Missing(SDL_GetError(), kLookAgainMs);
        sdlAudio_ = true;
        changes_.Take();  // the devices SDL finds as it starts are no change
    }
    SDL_AudioSpec want{}, have{};
    want.freq = AudioFormat{}.rate;
    want.format = AUDIO_F32SYS;
    want.channels = Uint8(AudioFormat{}.channels);
    want.samples = kBufferFrames;
    want.callback = AudioCallback;
    // The mixer is made for the format the device grants, before the device starts.
    mixer_ = std::make_unique<Mixer>(AudioFormat{});
    want.userdata = mixer_.get();
    device_ =
        SDL_OpenAudioDevice(nullptr, 0, &want, &have,
                            SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
    if (!device_) {
        std::string why = SDL_GetError();
        Close();
        return Missing(why.c_str(), kLookAgainMs);
    }
    format_ = AudioFormat{have.freq, have.channels};
    *mixer_ = Mixer(format_);
    if (format_ != convertedFor_) {
        converted_.clear();
        convertedFor_ = format_;
    }
    silentSince_.reset();
    SDL_PauseAudioDevice(device_, 0);
    if (missing_) {
        missing_ = false;
        std::fputs("quillby: found an audio device; playing sound again\n", stderr);
    }
    return true;
}

void AudioOutput::Close() {
    if (device_) SDL_CloseAudioDevice(device_);  // waits for the callback to finish
    device_ = 0;
    mixer_.reset();
    if (sdlAudio_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    sdlAudio_ = false;
}

void AudioOutput::Play(const Sound& sound) {
    if (!sound.data && !device_) return;  // silence, and silent already
    if (!Open()) return;
    const std::vector<float>* samples = nullptr;
    if (sound.data) {
        auto key = std::make_pair(sound.data, sound.dataBytes);
        auto found = converted_.find(key);
        if (found == converted_.end())
            found = converted_.emplace(key, ConvertSound(sound, format_)).first;
        samples = &found->second;
    }
    // Asked for once the sound before has ended by the program's clock, a sound starts as long
    // after that one as the program asked for it, whose end the device may not have played yet
    // (a buffer or two behind, or just opened): a sound that has ended is never cut short, one
    // still playing always is.
    uint64_t now = SDL_GetTicks64();
    std::optional<size_t> after;
    if (now - lastStart_ >= lastLengthMs_)
        after = size_t(std::min<uint64_t>(now - lastStart_, 60000) * uint64_t(format_.rate) / 1000);
    lastStart_ = now;
    lastLengthMs_ =
        sound.sampleRate && sound.bitsPerSample
            ? sound.dataBytes * 8 / size_t(sound.bitsPerSample) * 1000 / sound.sampleRate
            : 0;
    SDL_LockAudioDevice(device_);
    if (samples)
        mixer_->Play(samples->data(), samples->size() / size_t(format_.channels), after);
    else
        mixer_->Play(nullptr, 0, after);
    SDL_UnlockAudioDevice(device_);
    silentSince_.reset();
}

void AudioOutput::TakeDeviceChanges() {
    for (const SDL_AudioDeviceEvent& e : changes_.Take()) {
        if (e.iscapture) continue;
        if (e.type == SDL_AUDIODEVICEREMOVED && device_ && e.which == device_) {
            // What was playing is lost with the device; the next sound looks for another.
            Close();
            Missing("it was disconnected", 0);
        } else if (e.type == SDL_AUDIODEVICEADDED && missing_) {
            lookAgainAt_ = 0;
        }
    }
}

uint32_t AudioOutput::Rest() {
    if (!device_) return kUntilInput;
    SDL_LockAudioDevice(device_);
    size_t left = mixer_->FramesLeft();
    SDL_UnlockAudioDevice(device_);
    uint64_t now = SDL_GetTicks64();
    if (left > 0) {
        silentSince_.reset();
        return uint32_t(left * 1000 / size_t(format_.rate) + kDrainMs);
    }
    if (!silentSince_) silentSince_ = now;
    if (now - *silentSince_ < kDrainMs) return uint32_t(kDrainMs - (now - *silentSince_));
    Close();
    return kUntilInput;
}

}  // namespace platform
