// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The thread's message queue, shared by the window code and the host's input.
#pragma once

#include "shell/platform.h"

namespace platform {

void ResetQueue();
// Forgets the posted messages of a window that is gone.
void DropMessagesFor(HWND window);
// The handle FindWindowW gives for a copy of the program running in another process.
HWND RunningInstanceHandle();

}  // namespace platform
