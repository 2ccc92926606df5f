// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// A sound as the platform hands it to a backend: parsed from a RIFF WAVE image in memory.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

struct Sound {
    int resourceId = 0;  // the WAVE resource the image came from, 0 if none
    uint32_t sampleRate = 0;
    int bitsPerSample = 0;  // 8 (unsigned) or 16 (signed little-endian)
    const uint8_t* data = nullptr;
    size_t dataBytes = 0;
};

// Parses a RIFF WAVE image of at most `size` bytes, passing over chunks other than "fmt " and
// "data". Accepts mono PCM of 8 or 16 bits only. Never reads past the end of the image.
bool ParseWave(const uint8_t* image, size_t size, Sound& out);

}  // namespace platform
