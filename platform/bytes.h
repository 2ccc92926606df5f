// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Little-endian fields of the file formats the platform reads (DIB, RIFF, ICO).
#pragma once

#include <cstdint>

namespace platform {

inline uint16_t ReadU16(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}
inline uint32_t ReadU32(const uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24;
}

}  // namespace platform
