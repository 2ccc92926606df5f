// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// user32: SetTimer, KillTimer
// The program's window timers, kept in the queue's table (timer_table.h), which makes WM_TIMER of
// them when nothing else waits.
#include "platform/platform_state.h"
#include "platform/user32/window_object.h"

using namespace platform;

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC procedure) {
    // The program's timers only wake its loop with WM_TIMER: a procedure of their own, or a
    // timer of no window (which Windows numbers itself), it never asks for.
    if (!ToWindow(window) || procedure) return 0;
    State().queue.timers.Set(reinterpret_cast<uintptr_t>(window), id, GetTickCount(), elapse);
    return id ? id : 1;
}

BOOL KillTimer(HWND window, UINT_PTR id) {
    return State().queue.timers.Kill(reinterpret_cast<uintptr_t>(window), id) ? TRUE : FALSE;
}
