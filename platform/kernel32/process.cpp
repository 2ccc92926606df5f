// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// kernel32: GetCommandLineW
// The process's command line, as the host's start-up code handed it over (SetCommandLine).
#include "platform/platform_state.h"

using namespace platform;

LPWSTR GetCommandLineW() {
    return State().commandLine.data();
}
