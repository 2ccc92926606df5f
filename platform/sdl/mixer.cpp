// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The desktop host's mixer (what it is for, depends on and cannot do: mixer.h).
#include "platform/sdl/mixer.h"

#include <algorithm>
#include <utility>

namespace platform {

Mixer::Mixer(AudioFormat format)
    : format_(format), fadeFrames_(std::max<size_t>(1, size_t(format.rate) * kFadeMs / 1000)) {}

void Mixer::Play(const float* samples, size_t frames, bool afterCurrent) {
    if (afterCurrent && current_.Active()) {
        next_ = Voice{};
        next_.samples = samples && frames ? samples : nullptr;
        next_.frames = frames;
        return;
    }
    next_ = Voice{};  // never started: nothing to fade
    if (current_.Active()) {
        // Into a free slot, or in place of the quietest fade.
        Voice* slot = &fading_[0];
        for (Voice& f : fading_) {
            if (!f.Active()) {
                slot = &f;
                break;
            }
            if (f.fadeLeft < slot->fadeLeft) slot = &f;
        }
        *slot = current_;
        slot->fading = true;
        slot->fadeLeft = fadeFrames_;
    }
    current_ = Voice{};
    if (samples && frames) {
        current_.samples = samples;
        current_.frames = frames;
    }
}

size_t Mixer::AddVoice(Voice& v, float* out, size_t frames) {
    const size_t channels = size_t(format_.channels);
    size_t i = 0;
    for (; i < frames && v.Active(); ++i, ++v.at) {
        const float* in = v.samples + v.at * channels;
        // The fade falls in equal steps from full level to nothing over fadeFrames_ frames.
        float gain = v.fading ? float(v.fadeLeft--) / float(fadeFrames_) : 1.0f;
        for (size_t c = 0; c < channels; ++c) out[i * channels + c] += in[c] * gain;
    }
    return i;
}

void Mixer::Mix(float* out, size_t frames) {
    const size_t count = frames * size_t(format_.channels);
    std::fill(out, out + count, 0.0f);
    size_t done = AddVoice(current_, out, frames);
    if (!current_.Active() && next_.samples) {
        current_ = std::exchange(next_, Voice{});
        AddVoice(current_, out + done * size_t(format_.channels), frames - done);
    }
    for (Voice& f : fading_) AddVoice(f, out, frames);
    for (size_t i = 0; i < count; ++i) out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

size_t Mixer::FramesLeft() const {
    size_t left = current_.Left() + (next_.samples ? next_.frames : 0);
    for (const Voice& f : fading_) left = std::max(left, f.Left());
    return left;
}

bool Mixer::Silent() const {
    if (current_.Active() || next_.samples) return false;
    return std::none_of(fading_.begin(), fading_.end(), [](const Voice& f) { return f.Active(); });
}

}  // namespace platform
