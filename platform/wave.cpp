// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Reading RIFF WAVE images: only the "fmt " and "data" chunks matter; every other chunk is
// passed over by its declared size, and nothing is read past the image's end.
#include <algorithm>
#include <cstring>

#include "platform/bytes.h"
#include "platform/sound.h"

namespace platform {
namespace {}  // namespace

bool ParseWave(const uint8_t* image, size_t size, Sound& out) {
    if (!image || size < 12 || std::memcmp(image, "RIFF", 4) || std::memcmp(image + 8, "WAVE", 4))
        return false;
    // The RIFF size may claim less than the buffer holds, never more.
    size_t end = std::min<size_t>(size, size_t(ReadU32(image + 4)) + 8);
    bool haveFormat = false, haveData = false;
    Sound sound;
    for (size_t at = 12; at + 8 <= end;) {
        const uint8_t* chunk = image + at;
        size_t length = ReadU32(chunk + 4);
        size_t body = at + 8;
        if (length > end - body) return false;  // a chunk that claims more than is there
        if (!std::memcmp(chunk, "fmt ", 4)) {
            if (length < 16) return false;
            uint16_t format = ReadU16(image + body), channels = ReadU16(image + body + 2);
            sound.sampleRate = ReadU32(image + body + 4);
            sound.bitsPerSample = ReadU16(image + body + 14);
            if (format != 1 || channels != 1 || sound.sampleRate == 0 ||
                (sound.bitsPerSample != 8 && sound.bitsPerSample != 16))
                return false;
            haveFormat = true;
        } else if (!std::memcmp(chunk, "data", 4)) {
            sound.data = image + body;
            sound.dataBytes = length;
            haveData = true;
        }
        at = body + length + (length & 1);  // chunks are padded to an even size
    }
    if (!haveFormat || !haveData) return false;
    if (sound.bitsPerSample == 16) sound.dataBytes &= ~size_t(1);
    out = sound;
    return true;
}

}  // namespace platform
