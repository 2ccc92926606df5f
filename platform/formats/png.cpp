// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "platform/formats/png.h"

#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/formats/bytes.h"

namespace platform {
namespace {

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(v >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    PutU32(out, uint32_t(data.size()));
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutU32(out, uint32_t(crc32(0, out.data() + start, uInt(out.size() - start))));
}

const uint8_t kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};

int Paeth(int a, int b, int c) {
    int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
}

}  // namespace

bool WritePng(const std::string& path, const Surface& s) {
    std::vector<uint8_t> raw;
    raw.reserve(size_t(s.height) * (s.width * 3 + 1));
    for (int y = 0; y < s.height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < s.width; ++x) {
            COLORREF c = s.At(x, y);
            raw.push_back(GetRValue(c));
            raw.push_back(GetGValue(c));
            raw.push_back(GetBValue(c));
        }
    }
    uLongf packedSize = compressBound(uLong(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), uLong(raw.size()), 9) != Z_OK)
        return false;
    packed.resize(packedSize);

    std::vector<uint8_t> file(kSignature, kSignature + 8);
    std::vector<uint8_t> header;
    PutU32(header, uint32_t(s.width));
    PutU32(header, uint32_t(s.height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, no interlace
    PutChunk(file, "IHDR", header);
    PutChunk(file, "IDAT", packed);
    PutChunk(file, "IEND", {});
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    return bool(out);
}

bool ReadPng(const std::string& path, Surface& out) {
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), {});
    if (file.size() < 8 || std::memcmp(file.data(), kSignature, 8) != 0) return false;
    uint32_t width = 0, height = 0;
    int channels = 0;
    std::vector<uint8_t> packed;
    for (size_t at = 8; at + 12 <= file.size();) {
        uint32_t length = ReadU32BigEndian(&file[at]);
        if (length > file.size() - at - 12) return false;
        const uint8_t* type = &file[at + 4];
        const uint8_t* data = &file[at + 8];
        if (!std::memcmp(type, "IHDR", 4) && length >= 13) {
            width = ReadU32BigEndian(data);
            height = ReadU32BigEndian(data + 4);
            if (data[8] != 8 || (data[9] != 2 && data[9] != 6) || data[12] != 0) return false;
            channels = data[9] == 2 ? 3 : 4;
        } else if (!std::memcmp(type, "IDAT", 4)) {
            packed.insert(packed.end(), data, data + length);
        }
        at += 12 + length;
    }
    if (!channels || width == 0 || height == 0 || width > 16384 || height > 16384) return false;
    size_t stride = size_t(width) * channels;
    uLongf rawSize = uLongf(height * (stride + 1));
    std::vector<uint8_t> raw(rawSize);
    if (uncompress(raw.data(), &rawSize, packed.data(), uLong(packed.size())) != Z_OK ||
        rawSize != raw.size())
        return false;
    out = Surface(int(width), int(height));
    std::vector<uint8_t> previous(stride, 0), row(stride);
    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t* line = &raw[y * (stride + 1)];
        uint8_t filter = line[0];
        for (size_t i = 0; i < stride; ++i) {
            int a = i >= size_t(channels) ? row[i - channels] : 0;
            int b = previous[i];
            int c = i >= size_t(channels) ? previous[i - channels] : 0;
            int predictor = filter == 0   ? 0
                            : filter == 1 ? a
                            : filter == 2 ? b
                            : filter == 3 ? (a + b) / 2
                                          : Paeth(a, b, c);
            row[i] = uint8_t(line[1 + i] + predictor);
        }
        for (uint32_t x = 0; x < width; ++x) {
            const uint8_t* p = &row[x * channels];
            out.At(int(x), int(y)) = RGB(p[0], p[1], p[2]);
        }
        previous.swap(row);
    }
    return true;
}

}  // namespace platform
