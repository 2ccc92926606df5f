// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The game's generator: the classic LCG, so that a seed gives the same rounds on every host.
#include "shell/platform.h"

namespace {
uint32_t state = 1;
}

void LcgSrand(unsigned int seed) {
    state = seed;
}

int LcgRand() {
    state = state * 214013u + 2531011u;
    return int((state >> 16) & 0x7FFF);
}
