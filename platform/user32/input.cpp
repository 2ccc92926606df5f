// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// user32: GetAsyncKeyState
// The stylus as the program asks after it: the left button, down while the host's stylus is.
#include "platform/host.h"
#include "platform/platform_state.h"

using namespace platform;

SHORT GetAsyncKeyState(int key) {
    Backend* b = CurrentBackend();
    if (key != VK_LBUTTON || !b) return 0;
    return b->StylusDown() ? SHORT(0x8000) : 0;
}
