// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Reading RIFF WAVE images: only the "fmt ", "fact" and "data" chunks matter; every other chunk
// is passed over by its declared size, and nothing is read past the image's end.
#include "platform/formats/wave.h"

#include <algorithm>
#include <cstring>

#include "platform/formats/bytes.h"

namespace platform {
namespace {

constexpr uint16_t kPcm = 1, kImaAdpcm = 0x11;
constexpr size_t kAdpcmHeaderBytes = 4;  // the first sample, the step index, a zero byte

// An ADPCM layout Windows' codec takes: whole blocks, each at least a header and a byte, and
// no more samples counted than the blocks hold.
bool AdpcmLayoutHolds(Sound& sound, bool haveCount) {
    ImaAdpcmBlocks& a = sound.adpcm;
    if (a.blockAlign <= kAdpcmHeaderBytes ||
        a.samplesPerBlock != (a.blockAlign - kAdpcmHeaderBytes) * 2 + 1)
        return false;
    if (sound.dataBytes == 0 || sound.dataBytes % a.blockAlign) return false;
    uint64_t held = uint64_t(sound.dataBytes / a.blockAlign) * a.samplesPerBlock;
    if (!haveCount) a.sampleCount = uint32_t(std::min<uint64_t>(held, UINT32_MAX));
    return a.sampleCount > 0 && a.sampleCount <= held;
}

}  // namespace

bool ParseWave(const uint8_t* image, size_t size, Sound& out) {
    if (!image || size < 12 || std::memcmp(image, "RIFF", 4) || std::memcmp(image + 8, "WAVE", 4))
        return false;
    // The RIFF size may claim less than the buffer holds, never more.
    size_t end = std::min<size_t>(size, size_t(ReadU32(image + 4)) + 8);
    bool haveFormat = false, haveData = false, haveCount = false;
    uint16_t format = 0;
    Sound sound;
    for (size_t at = 12; at + 8 <= end;) {
        const uint8_t* chunk = image + at;
        size_t length = ReadU32(chunk + 4);
        size_t body = at + 8;
        if (length > end - body) return false;  // a chunk that claims more than is there
        const uint8_t* field = image + body;
        if (!std::memcmp(chunk, "fmt ", 4)) {
            if (length < 16) return false;
            format = ReadU16(field);
            uint16_t channels = ReadU16(field + 2);
            sound.sampleRate = ReadU32(field + 4);
            sound.bitsPerSample = ReadU16(field + 14);
            if (channels != 1 || sound.sampleRate == 0) return false;
            if (format == kPcm) {
                if (sound.bitsPerSample != 8 && sound.bitsPerSample != 16) return false;
            } else if (format == kImaAdpcm) {
                // The extension's size, then the samples a block.
                if (length < 20 || sound.bitsPerSample != 4 || ReadU16(field + 16) < 2)
                    return false;
                sound.adpcm.blockAlign = ReadU16(field + 12);
                sound.adpcm.samplesPerBlock = ReadU16(field + 18);
            } else {
                return false;
            }
            haveFormat = true;
        } else if (!std::memcmp(chunk, "fact", 4) && length >= 4) {
            sound.adpcm.sampleCount = ReadU32(field);
            haveCount = true;
        } else if (!std::memcmp(chunk, "data", 4)) {
            sound.data = field;
            sound.dataBytes = length;
            haveData = true;
        }
        at = body + length + (length & 1);  // chunks are padded to an even size
    }
    if (!haveFormat || !haveData) return false;
    if (format == kImaAdpcm) {
        if (!AdpcmLayoutHolds(sound, haveCount)) return false;
    } else {
        sound.adpcm = {};
        if (sound.bitsPerSample == 16) sound.dataBytes &= ~size_t(1);
    }
    out = sound;
    return true;
}

}  // namespace platform
