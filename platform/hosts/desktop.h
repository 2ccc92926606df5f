// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The desktop host, where the build has one (SDL2: platform/hosts/sdl/); without it every run is
// headless.
#pragma once

#include "platform/hosts/command_line.h"

namespace platform {

bool HasDesktop();
// Runs the program in a desktop window and gives the process's exit code: the program's own,
// or 1 after one line on stderr when there is no display to open a window on. (A display lost
// while the program runs ends the process at once, with 1 and one line on stderr.)
int RunDesktop(const CommandLine& c);

}  // namespace platform
