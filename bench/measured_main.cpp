// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The desktop program as shipped, its loop timed (bench/measuring_backend.h) when
// QUILLBY_DESKTOP_STATS names a file for the figures. Desktop runs only.
#include <iostream>
#include <string>
#include <vector>

#include "bench/measuring_backend.h"
#include "platform/hosts/command_line.h"
#include "platform/hosts/sdl/desktop_start.h"

int main(int argc, char** argv) {
    platform::CommandLine c =
        platform::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!c.error.empty() || c.headless || c.help || c.version) {
        std::cerr << "quillby_measured: desktop runs only (--scale, --fullscreen, --start-tick)\n";
        return 2;
    }
    return platform::RunDesktopWith(c, Measured);
}
