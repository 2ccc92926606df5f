// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The desktop host's mixer (what it is for, depends on and cannot do: mixer.h).
#include "platform/hosts/sdl/mixer.h"

#include <algorithm>
#include <utility>

namespace platform {

Mixer::Mixer(AudioFormat format)
    : format_(format), fadeFrames_(std::max<size_t>(1, size_t(format.rate) * kFadeMs / 1000)) {}

void Mixer::Play(const float* samples, size_t frames, std::optional<size_t> afterStart) {
    if (afterStart) {
        size_t at = std::max(*afterStart, current_.frames);
        if (sinceStart_ < at) {
            next_ = Voice{};
            if (samples && frames) next_.samples = samples, next_.frames = frames;
            nextAt_ = at;
            return;
        }
        if (!samples || !frames) return;  // what played has ended: silence is here already
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
    sinceStart_ = 0;
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
    size_t before = frames;  // frames before the next sound starts, when it does in these
    if (next_.samples && nextAt_ - sinceStart_ < frames) before = nextAt_ - sinceStart_;
    AddVoice(current_, out, before);
    sinceStart_ += before;
    if (before < frames) {
        current_ = std::exchange(next_, Voice{});
        sinceStart_ = frames - before;
        AddVoice(current_, out + before * size_t(format_.channels), frames - before);
    }
    for (Voice& f : fading_) AddVoice(f, out, frames);
    for (size_t i = 0; i < count; ++i) out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

size_t Mixer::FramesLeft() const {
    size_t left = next_.samples ? nextAt_ - sinceStart_ + next_.frames : current_.Left();
    for (const Voice& f : fading_) left = std::max(left, f.Left());
    return left;
}

bool Mixer::Silent() const {
    if (current_.Active() || next_.samples) return false;
    return std::none_of(fading_.begin(), fading_.end(), [](const Voice& f) { return f.Active(); });
}

}  // namespace platform
