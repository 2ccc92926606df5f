// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// user32: PeekMessageW, GetMessageW, TranslateMessage, DispatchMessageW, PostMessageW,
// PostQuitMessage
// Posted messages, the quit flag, paint requests and timers, looked at the way Windows does.
#include "platform/user32/message_queue.h"

#include <cstdlib>

#include "platform/host.h"
#include "platform/platform_state.h"

namespace platform {
namespace {

// A second stylus-down this soon and this close to the first becomes a double click.
constexpr uint32_t kDoubleClickMs = 500;
constexpr int kDoubleClickHalfBox = 2;

QueueState& Queue() {
    return State().queue;
}

bool Matches(const MSG& m, HWND window) {
    return !window || m.hwnd == window;
}

// A window with an update region, visible, for which WM_PAINT is due.
HWND WindowToPaint(HWND filter) {
    HWND main = MainWindow();
    WindowObject* w = ToWindow(main);
    if (w && w->invalid && w->visible && (!filter || filter == main)) return main;
    return nullptr;
}

}  // namespace

void DropMessagesFor(HWND window) {
    auto& posted = Queue().posted;
    for (auto it = posted.begin(); it != posted.end();)
        it = it->hwnd == window ? posted.erase(it) : it + 1;
    Queue().timers.KillAll(reinterpret_cast<uintptr_t>(window));
}

void NoteActivity() {
    Queue().idle.Moved(GetTickCount());
}

HWND RunningInstanceHandle() {
    static char other;  // any address that is no window of ours; its lowest bit is clear
    return reinterpret_cast<HWND>(reinterpret_cast<ULONG_PTR>(&other) & ~ULONG_PTR(1));
}

void PostStylus(bool down, int x, int y) {
    HWND window = MainWindow();
    WindowObject* w = ToWindow(window);
    if (!w) return;
    QueueState& q = Queue();
    UINT message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    if (down) {
        uint32_t now = GetTickCount();
        bool doubleClick = (w->classStyle & CS_DBLCLKS) && q.lastDownCounts &&
                           now - q.lastDownTime <= kDoubleClickMs &&
                           std::abs(x - q.lastDownX) <= kDoubleClickHalfBox &&
                           std::abs(y - q.lastDownY) <= kDoubleClickHalfBox;
        if (doubleClick) message = WM_LBUTTONDBLCLK;
        // After a double click the next press starts afresh, as a triple tap does in Windows.
        q.lastDownCounts = !doubleClick;
        q.lastDownTime = now;
        q.lastDownX = x;
        q.lastDownY = y;
    }
    PostMessageW(window, message, down ? 1 : 0, MAKELPARAM(x, y));
}

void PostClose() {
    HWND window = MainWindow();
    if (window) PostMessageW(window, WM_CLOSE, 0, 0);
}

}  // namespace platform

using namespace platform;

namespace {

// The next message for `window` (any window when null), if there is one.
bool TakeMessage(LPMSG msg, HWND window, UINT removeFlags) {
    QueueState& q = Queue();
    for (auto it = q.posted.begin(); it != q.posted.end(); ++it) {
        if (!Matches(*it, window)) continue;
        *msg = *it;
        if (removeFlags & PM_REMOVE) q.posted.erase(it);
        return true;
    }
    if (q.quitPending) {
        *msg = MSG{nullptr, WM_QUIT, WPARAM(q.quitCode), 0, GetTickCount(), {0, 0}};
        if (removeFlags & PM_REMOVE) q.quitPending = false;
        return true;
    }
    if (HWND paint = WindowToPaint(window)) {
        // WM_PAINT stays due until the window procedure validates the window.
        *msg = MSG{paint, WM_PAINT, 0, 0, GetTickCount(), {0, 0}};
        return true;
    }
    // Timers come last, as in Windows: only a queue with nothing else gives WM_TIMER.
    if (auto fired = q.timers.Fired(GetTickCount(), reinterpret_cast<uintptr_t>(window),
                                    removeFlags & PM_REMOVE)) {
        *msg = MSG{reinterpret_cast<HWND>(fired->window),
                   WM_TIMER,
                   WPARAM(fired->id),
                   0,
                   GetTickCount(),
                   {0, 0}};
        return true;
    }
    return false;
}

}  // namespace

BOOL PeekMessageW(LPMSG msg, HWND window, UINT, UINT, UINT removeFlags) {
    Backend* backend = CurrentBackend();
    if (backend) backend->Poll();
    if (TakeMessage(msg, window, removeFlags)) {
        NoteActivity();
        return TRUE;
    }
    if (backend) {
        uint32_t now = GetTickCount();
        backend->Idle(Queue().idle.Wait(now, Queue().timers.UntilNext(now)));
    }
    return FALSE;
}

BOOL GetMessageW(LPMSG msg, HWND window, UINT filterMin, UINT filterMax) {
    if (!CurrentBackend()) return -1;
    while (!PeekMessageW(msg, window, filterMin, filterMax, PM_REMOVE)) {
    }
    return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL TranslateMessage(const MSG*) {
    return FALSE;
}

LRESULT DispatchMessageW(const MSG* msg) {
    if (!msg) return 0;
    WindowObject* w = ToWindow(msg->hwnd);
    if (!w) return 0;
    return w->proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window && !ToWindow(window)) return FALSE;
    Queue().posted.push_back(MSG{window, message, wParam, lParam, GetTickCount(), {0, 0}});
    return TRUE;
}

void PostQuitMessage(int exitCode) {
    Queue().quitPending = true;
    Queue().quitCode = exitCode;
}
