// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "game/wave_length.h"

#include <cstring>

namespace {

uint32_t Read32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint16_t Read16(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}

constexpr uint16_t PcmFormat = 1;

}  // namespace

uint32_t WaveLengthMs(const void* data, size_t size) {
    auto* image = static_cast<const uint8_t*>(data);
    if (!image || size < 12 || std::memcmp(image, "RIFF", 4) || std::memcmp(image + 8, "WAVE", 4))
        return 0;
    uint32_t rate = 0, bytesPerSecond = 0, blockAlign = 0, facts = 0, dataBytes = 0;
    uint16_t format = 0;
    bool haveFormat = false, haveFacts = false, haveData = false;
    for (size_t at = 12; at + 8 <= size;) {
        const uint8_t* chunk = image + at;
        size_t length = Read32(chunk + 4);
        if (length > size - at - 8) return 0;
        const uint8_t* body = chunk + 8;
        if (!std::memcmp(chunk, "fmt ", 4) && length >= 16) {
            format = Read16(body);
            rate = Read32(body + 4);
            bytesPerSecond = Read32(body + 8);
            blockAlign = Read16(body + 12);
            haveFormat = true;
        } else if (!std::memcmp(chunk, "fact", 4) && length >= 4) {
            facts = Read32(body);
            haveFacts = true;
        } else if (!std::memcmp(chunk, "data", 4)) {
            dataBytes = uint32_t(length);
            haveData = true;
        }
        at += 8 + length + (length & 1);
    }
    if (!haveFormat || !haveData || rate == 0) return 0;
    if (format == PcmFormat)
        return blockAlign ? uint32_t((uint64_t(dataBytes / blockAlign) * 1000 + rate - 1) / rate)
                          : 0;
    if (haveFacts) return uint32_t((uint64_t(facts) * 1000 + rate - 1) / rate);
    // A compressed sound that does not count its samples: as long as its data lasts at its rate.
    return bytesPerSecond
               ? uint32_t((uint64_t(dataBytes) * 1000 + bytesPerSecond - 1) / bytesPerSecond)
               : 0;
}
