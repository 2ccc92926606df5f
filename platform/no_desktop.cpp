// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Builds without a desktop backend run headless.
#include "platform/desktop.h"

namespace platform {

bool HasDesktop() {
    return false;
}
int RunDesktop(const CommandLine&) {
    return 1;
}

}  // namespace platform
