// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// IMA ADPCM sounds decoded to 16-bit PCM once and kept for the run: a sound played again costs
// nothing, and the samples handed to a backend stay where they are for as long as it may play
// them. The platform's state owns them, so a second run in the same process starts afresh.
#pragma once

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "platform/formats/wave.h"

namespace platform {

class DecodedSounds {
  public:
    // Makes `sound` one a backend plays: PCM is left as it is, IMA ADPCM is replaced by its
    // decoded samples. False, leaving it unchanged, if the ADPCM does not decode.
    bool MakePlayable(Sound& sound);

    size_t Count() const { return decoded_.size(); }

  private:
    // By where the samples lie in the image and how many bytes they take.
    std::map<std::pair<const uint8_t*, size_t>, std::vector<int16_t>> decoded_;
};

}  // namespace platform
