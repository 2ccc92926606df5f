// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// user32: ShowWindow, MoveWindow, GetClientRect, SetForegroundWindow
// Where a window stands and whether it shows: its frame on the display, its client area, and
// the foreground, which a running copy of the program may be asked to take.
#include "platform/host.h"
#include "platform/platform_state.h"
#include "platform/user32/message_queue.h"
#include "platform/user32/window_object.h"

using namespace platform;

BOOL ShowWindow(HWND window, int command) {
    WindowObject* w = ToWindow(window);
    if (!w) return FALSE;
    bool was = w->visible;
    w->visible = command != SW_HIDE;
    if (w->visible && !was) InvalidateRect(window, nullptr, TRUE);
    return was ? TRUE : FALSE;
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
    WindowObject* w = ToWindow(window);
    if (!w) return FALSE;
    RECT old = w->frame;
    w->frame = RECT{x, y, x + width, y + height};
    if (old.right - old.left != width || old.bottom - old.top != height)
        w->proc(window, WM_SIZE, 0, MAKELPARAM(width, height));
    // As in Windows, a move that changes nothing repaints nothing.
    bool changed =
        old.left != x || old.top != y || old.right != x + width || old.bottom != y + height;
    if (repaint && changed) InvalidateRect(window, nullptr, TRUE);
    return TRUE;
}

BOOL GetClientRect(HWND window, LPRECT rect) {
    WindowObject* w = ToWindow(window);
    if (!w || !rect) return FALSE;
    *rect = RECT{0, 0, w->frame.right - w->frame.left, w->frame.bottom - w->frame.top};
    return TRUE;
}

BOOL SetForegroundWindow(HWND window) {
    // The shell's convention of setting the lowest bit asks for the window's owned popups too.
    HWND plain = reinterpret_cast<HWND>(reinterpret_cast<ULONG_PTR>(window) & ~ULONG_PTR(1));
    if (plain == RunningInstanceHandle()) {
        CurrentBackend()->BringRunningInstanceForward();
        return TRUE;
    }
    return ToWindow(plain) ? TRUE : FALSE;
}
