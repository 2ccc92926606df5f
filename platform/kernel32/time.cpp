// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// kernel32: GetTickCount
// The millisecond tick: the host's clock, which wraps as Windows' does.
#include "platform/host.h"
#include "platform/platform_state.h"

using namespace platform;

DWORD GetTickCount() {
    Backend* b = CurrentBackend();
    return b ? b->Now() : 0;
}
