// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The game's generator: the classic LCG, so that a seed gives the same rounds on every host.
#include "platform/platform_state.h"

using platform::State;

void LcgSrand(unsigned int seed) {
    State().random = seed;
}

int LcgRand() {
    uint32_t& state = State().random;
    state = state * 214013u + 2531011u;
    return int((state >> 16) & 0x7FFF);
}
