// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The game's generator on Windows: the project's own, not the C library's, so that its sequence
// never depends on the runtime the program is linked with.
#include "platform/msvcrt/lcg.h"
#include "shell/platform.h"

namespace {
uint32_t state = 1;  // where the C library starts, as srand(1)
}  // namespace

void LcgSrand(unsigned int seed) {
    state = seed;
}

int LcgRand() {
    return platform::LcgNext(state);
}
