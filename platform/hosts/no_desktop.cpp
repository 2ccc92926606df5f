// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The desktop host of a build without one (no SDL2 when it was configured): every run is
// headless. Depends on: nothing. Cannot: open a window; RunDesktop is never reached.
#include "platform/hosts/desktop.h"

namespace platform {

bool HasDesktop() {
    return false;
}
int RunDesktop(const CommandLine&) {
    return 1;
}

}  // namespace platform
