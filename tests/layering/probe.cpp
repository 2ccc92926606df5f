// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Built as game and toolkit code is built, by the layering tests: with only the program's own
// headers it compiles; reaching into the platform's it must not.
#include "game/game_screen.h"
#include "shell/platform.h"
#ifdef QUILLBY_REACH_INTO_PLATFORM
#include "platform/host.h"
#endif

int LayeringProbe() {
    return RedrawInterval > 0 ? 1 : 0;
}
