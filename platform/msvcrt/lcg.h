// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The game's generator: the classic LCG (the C library's rand), one step of it, shared by every
// host's LcgRand, so that a seed gives the same rounds everywhere.
#pragma once

#include <cstdint>

namespace platform {

inline int LcgNext(uint32_t& state) {
    state = state * 214013u + 2531011u;
    return int((state >> 16) & 0x7FFF);
}

}  // namespace platform
