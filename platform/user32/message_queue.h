// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The thread's message queue, shared by the window code and the host's input.
#pragma once

#include <deque>

#include "platform/hosts/idle_policy.h"
#include "platform/user32/timer_table.h"
#include "shell/platform.h"

namespace platform {

// What the queue holds between looks: posted messages, a pending quit, the last stylus-down,
// from which the next may become a double click, the windows' timers, and when the program last
// moved, from which the idle policy tells how long an empty look may wait.
struct QueueState {
    std::deque<MSG> posted;
    bool quitPending = false;
    int quitCode = 0;
    bool lastDownCounts = false;  // the last stylus-down may start a double click
    uint32_t lastDownTime = 0;
    int lastDownX = 0, lastDownY = 0;
    TimerTable timers;
    IdlePolicy idle;
};

// The current program moved, which the queue's idle policy hears of: a message was found, a
// copy reached the window, a sound started.
void NoteActivity();
// Forgets the posted messages and the timers of a window that is gone.
void DropMessagesFor(HWND window);
// The handle FindWindowW gives for a copy of the program running in another process.
HWND RunningInstanceHandle();

}  // namespace platform
