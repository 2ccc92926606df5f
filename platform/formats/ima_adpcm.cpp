// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// IMA ADPCM to 16-bit PCM, block by block, as Windows' codec decodes it: the same step table,
// the same sum of halved steps (not a multiplication, which rounds differently) and the same
// clamping, so every host plays the samples Windows would.
#include <algorithm>
#include <array>

#include "platform/formats/bytes.h"
#include "platform/formats/wave.h"

namespace platform {
namespace {

constexpr std::array<int, 89> kSteps = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,   21,    23,
    25,    28,    31,    34,    37,    41,    45,    50,    55,    60,    66,   73,    80,
    88,    97,    107,   118,   130,   143,   157,   173,   190,   209,   230,  253,   279,
    307,   337,   371,   408,   449,   494,   544,   598,   658,   724,   796,  876,   963,
    1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,  2272,  2499,  2749, 3024,  3327,
    3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,  9493, 10442, 11487,
    12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};
constexpr std::array<int, 8> kIndexChange = {-1, -1, -1, -1, 2, 4, 6, 8};

struct Decoder {
    int predictor;
    int index;

    int16_t Next(unsigned nibble) {
        int step = kSteps[size_t(index)];
        int diff = step >> 3;
        if (nibble & 4) diff += step;
        if (nibble & 2) diff += step >> 1;
        if (nibble & 1) diff += step >> 2;
        predictor = std::clamp(nibble & 8 ? predictor - diff : predictor + diff, -32768, 32767);
        index = std::clamp(index + kIndexChange[nibble & 7], 0, int(kSteps.size()) - 1);
        return int16_t(predictor);
    }
};

}  // namespace

bool DecodeImaAdpcm(const Sound& sound, std::vector<int16_t>& samples) {
    samples.clear();
    const ImaAdpcmBlocks& a = sound.adpcm;
    samples.reserve(a.sampleCount);
    for (size_t at = 0; at + a.blockAlign <= sound.dataBytes && samples.size() < a.sampleCount;
         at += a.blockAlign) {
        const uint8_t* block = sound.data + at;
        Decoder d{int16_t(ReadU16(block)), block[2]};
        if (d.index >= int(kSteps.size())) {
            samples.clear();
            return false;
        }
        samples.push_back(int16_t(d.predictor));
        for (size_t i = 4; i < a.blockAlign; ++i) {
            samples.push_back(d.Next(block[i] & 0x0F));
            samples.push_back(d.Next(block[i] >> 4));
        }
    }
    samples.resize(std::min<size_t>(samples.size(), a.sampleCount));
    return true;
}

}  // namespace platform
