// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The loop's look at the queue and the tick. The program's loop never waits; on a PC a look
// that finds nothing waits a few milliseconds for input, so a game that waits for a child's
// tap sleeps. The tick reads the start tick until the loop first looks, then runs on from it,
// so that a start tick seeds the same rounds as on every other host.
#include "platform/win32/layer.h"

namespace platform::win32 {
namespace {

// About a third of a timed redraw's interval: a redraw or an animation step is that late at
// worst.
constexpr DWORD kIdleWaitMs = 5;

Options options;
bool looked = false;        // the loop has looked at the queue: the clock runs
DWORD realAtFirstLook = 0;  // Windows' tick at that look

}  // namespace

void Configure(const Options& o) {
    options = o;
    looked = false;
}

const Options& CurrentOptions() {
    return options;
}

}  // namespace platform::win32

using namespace platform::win32;

BOOL QuillbyPeekMessageW(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
    if (!looked) {
        looked = true;
        realAtFirstLook = GetTickCount();
    }
    // Waiting first returns at once when anything waits, seen or not, and costs one call into the
    // system when nothing comes; looking, waiting and looking again would cost three (under
    // Wine, three round trips to its server on every idle pass).
    DWORD woke =
        MsgWaitForMultipleObjectsEx(0, nullptr, kIdleWaitMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (woke == WAIT_TIMEOUT) return FALSE;
    return PeekMessageW(msg, window, filterMin, filterMax, removeFlags);
}

DWORD QuillbyGetTickCount() {
    if (!options.startTick) return GetTickCount();
    if (!looked) return *options.startTick;
    return *options.startTick + (GetTickCount() - realAtFirstLook);
}
