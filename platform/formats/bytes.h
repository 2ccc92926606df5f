// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Fields of the file formats the platform reads: little-endian in DIB, RIFF and ICO,
// big-endian in TrueType and PNG.
#pragma once

#include <cstdint>

namespace platform {

inline uint16_t ReadU16(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}
inline uint32_t ReadU32(const uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24;
}

// TrueType's and PNG's fields are big-endian.
inline uint16_t ReadU16BigEndian(const uint8_t* p) {
    return uint16_t(p[0] << 8 | p[1]);
}
inline uint32_t ReadU32BigEndian(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
}

}  // namespace platform
