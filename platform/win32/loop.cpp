// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The loop's look at the queue and the tick. The program's loop never waits; on a PC a look
// that finds nothing waits a few milliseconds for input, so a game that waits for a child's
// tap sleeps. The tick reads the start tick until the loop first looks, then runs on from it,
// so that a start tick seeds the same rounds as on every other host. The test host may hold
// the tick and the stylus still and catch the sounds.
#include "platform/win32/layer.h"
#include "platform/win32/test_hooks.h"

namespace platform::win32 {
namespace {

// The loop ticks the screen after every look, so a timed redraw or an animation step comes at
// most about this late, as on the Linux desktop.
constexpr DWORD kIdleWaitMs = 5;

Options options;
bool looked = false;        // the loop has looked at the queue: the clock runs
DWORD realAtFirstLook = 0;  // Windows' tick at that look
std::optional<DWORD> heldTick;
SoundObserver soundObserver = nullptr;
std::optional<bool> heldStylus;

}  // namespace

void Configure(const Options& o) {
    options = o;
    looked = false;
}

const Options& CurrentOptions() {
    return options;
}

void HoldTick(std::optional<DWORD> tick) {
    heldTick = tick;
}

void ObserveSounds(SoundObserver observer) {
    soundObserver = observer;
}

void HoldStylus(std::optional<bool> down) {
    heldStylus = down;
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
    if (heldTick) return *heldTick;
    if (!options.startTick) return GetTickCount();
    if (!looked) return *options.startTick;
    return *options.startTick + (GetTickCount() - realAtFirstLook);
}

BOOL QuillbySndPlaySoundW(LPCWSTR sound, UINT flags) {
    if (!soundObserver) return sndPlaySoundW(sound, flags);
    soundObserver(sound, flags);
    return TRUE;
}

SHORT QuillbyGetAsyncKeyState(int key) {
    if (key != VK_LBUTTON || !heldStylus) return GetAsyncKeyState(key);
    return *heldStylus ? SHORT(0x8000) : 0;
}
