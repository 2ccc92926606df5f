// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// A sound as the platform reads it from a RIFF WAVE image in memory and, always as PCM, hands it
// to a backend.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

// How IMA ADPCM samples (format 0x11, mono) lie in their blocks: each block holds a header with
// the first sample and then two samples a byte.
struct ImaAdpcmBlocks {
    uint16_t blockAlign = 0;       // bytes a block
    uint16_t samplesPerBlock = 0;  // (blockAlign - 4) * 2 + 1
    uint32_t sampleCount = 0;      // how many of the blocks' samples are the sound's
};

struct Sound {
    int resourceId = 0;  // the WAVE resource the image came from, 0 if none
    uint32_t sampleRate = 0;
    // 8 (unsigned) or 16 (signed little-endian) for PCM; 4 for IMA ADPCM, which a backend
    // never sees: the platform decodes it to 16-bit PCM first.
    int bitsPerSample = 0;
    const uint8_t* data = nullptr;
    size_t dataBytes = 0;
    ImaAdpcmBlocks adpcm;  // when bitsPerSample is 4
};

// Parses a RIFF WAVE image of at most `size` bytes, passing over chunks other than "fmt ",
// "fact" and "data". Accepts mono PCM of 8 or 16 bits and mono IMA ADPCM in whole blocks whose
// layout agrees with itself and with the "fact" chunk's count. Never reads past the image.
bool ParseWave(const uint8_t* image, size_t size, Sound& out);

// Decodes an IMA ADPCM sound that ParseWave accepted into sampleCount 16-bit samples, as
// Windows' codec does. False, with `samples` empty, if a block's step index is out of range.
bool DecodeImaAdpcm(const Sound& sound, std::vector<int16_t>& samples);

}  // namespace platform
