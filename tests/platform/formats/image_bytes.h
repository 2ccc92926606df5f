// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Images of the formats the platform reads, built byte by byte for its readers' tests: RIFF
// chunks and WAVE formats, little-endian fields, and copies of exactly an image's size, so that a
// read past its end shows under AddressSanitizer.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace image_bytes {

using Bytes = std::vector<uint8_t>;

inline Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
// Little-endian numbers and four-character codes, as RIFF and DIB headers hold them.
inline const auto U16 = [](uint32_t v) { return Bytes{uint8_t(v), uint8_t(v >> 8)}; };
inline const auto U32 = [](uint32_t v) { return U16(v) + U16(v >> 16); };
inline const auto Id = [](const char* id) { return Bytes(id, id + 4); };

inline std::unique_ptr<uint8_t[]> Exact(const Bytes& b) {
    auto copy = std::make_unique<uint8_t[]>(b.size());
    std::copy(b.begin(), b.end(), copy.get());
    return copy;
}

// The chunk's header claims its real length unless told otherwise; odd bodies get a pad byte.
inline Bytes Chunk(const char* id, const Bytes& body, int64_t claimed = -1) {
    Bytes pad(body.size() % 2, 0xEE);
    return Id(id) + U32(claimed < 0 ? body.size() : claimed) + body + pad;
}
inline Bytes Fmt(unsigned tag, unsigned channels, uint32_t rate, unsigned bits) {
    unsigned align = channels * bits / 8;
    return Chunk("fmt ",
                 U16(tag) + U16(channels) + U32(rate) + U32(rate * align) + U16(align) + U16(bits));
}
inline Bytes Riff(const Bytes& chunks, int64_t riffSize = -1) {
    return Id("RIFF") + U32(riffSize < 0 ? chunks.size() + 4 : riffSize) + Id("WAVE") + chunks;
}

// IMA ADPCM, mono at 16 kHz: its format's extension holds the samples a block.
inline Bytes AdpcmFmt(unsigned align, unsigned perBlock, unsigned bits = 4, unsigned channels = 1) {
    return Chunk("fmt ", U16(0x11) + U16(channels) + U32(16000) + U32(8000) + U16(align) +
                             U16(bits) + U16(2) + U16(perBlock));
}

}  // namespace image_bytes
