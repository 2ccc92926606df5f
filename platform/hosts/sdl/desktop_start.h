// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The desktop host's start-up with a seam for measuring: the benchmark build wraps the backend
// in one that times the loop, where the shipped program runs it bare (platform/hosts/desktop.h).
// Depends on: SDL2. Cannot: start without a display.
#pragma once

#include <memory>

#include "platform/backend.h"
#include "platform/hosts/command_line.h"

namespace platform {

using BackendWrapper = std::unique_ptr<Backend> (*)(std::unique_ptr<Backend>);

// RunDesktop, with the backend passed through `wrap` (when not null) before the program starts.
int RunDesktopWith(const CommandLine& c, BackendWrapper wrap);

}  // namespace platform
