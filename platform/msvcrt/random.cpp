// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// msvcrt: LcgRand, LcgSrand
// The game's generator, its state kept with the rest of the platform's.
#include "platform/msvcrt/lcg.h"
#include "platform/platform_state.h"

using platform::State;

void LcgSrand(unsigned int seed) {
    State().random = seed;
}

int LcgRand() {
    return platform::LcgNext(State().random);
}
