// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "platform/winmm/decoded_sounds.h"

namespace platform {

bool DecodedSounds::MakePlayable(Sound& sound) {
    if (sound.bitsPerSample != 4) return true;
    auto key = std::make_pair(sound.data, sound.dataBytes);
    auto found = decoded_.find(key);
    if (found == decoded_.end()) {
        std::vector<int16_t> samples;
        if (!DecodeImaAdpcm(sound, samples)) return false;
        found = decoded_.emplace(key, std::move(samples)).first;
    }
    sound.bitsPerSample = 16;
    sound.data = reinterpret_cast<const uint8_t*>(found->second.data());
    sound.dataBytes = found->second.size() * sizeof(int16_t);
    sound.adpcm = {};
    return true;
}

}  // namespace platform
