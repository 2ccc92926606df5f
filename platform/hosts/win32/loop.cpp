// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The loop's look at the queue and the tick. The program's loop never waits; on a PC its look
// at an empty queue waits as the platform's idle policy says: a few milliseconds while the
// program moves, until input once it rests, so that a game waiting for a child's tap sleeps, but
// never past a timer the program set (Windows' own timer would come up to 16 ms late).
// The tick reads the start tick until the loop first looks, then runs on from it, so that a
// start tick seeds the same rounds as on every other host. The test host may hold the tick and
// the stylus still and catch the sounds.
#include "platform/hosts/idle_policy.h"
#include "platform/hosts/win32/layer.h"
#include "platform/hosts/win32/test_hooks.h"
#include "platform/user32/timer_table.h"

namespace platform::win32 {
namespace {

Options options;
IdlePolicy idle;
TimerTable timers;          // the program's, as Windows keeps them, for the waits
bool fineTimer = false;     // Windows' timer set to 1 ms, for the brief waits
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

void NoteMoved() {
    idle.Moved(GetTickCount());
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

using platform::kUntilInput;
using namespace platform::win32;

BOOL QuillbyPeekMessageW(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
    if (!looked) {
        looked = true;
        realAtFirstLook = GetTickCount();
    }
    DWORD now = GetTickCount();
    // Windows delivers the timers' WM_TIMER itself: the table only says when the next is due.
    while (timers.Fired(now, 0, true)) {
    }
    DWORD wait = idle.Wait(now, timers.UntilNext(now));
    // A brief wait would last Windows' default 15.6 ms, later than a timed redraw should come;
    // a program at rest needs no fine timer.
    if (fineTimer != (wait != kUntilInput)) {
        fineTimer = !fineTimer;
        fineTimer ? timeBeginPeriod(1) : timeEndPeriod(1);
    }
    // Waiting first returns at once when anything waits, seen or not, and costs one call into the
    // system when nothing comes; looking, waiting and looking again would cost three (under
    // Wine, three round trips to its server on every idle pass).
    DWORD woke = MsgWaitForMultipleObjectsEx(0, nullptr, wait == kUntilInput ? INFINITE : wait,
                                             QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (woke == WAIT_TIMEOUT || !PeekMessageW(msg, window, filterMin, filterMax, removeFlags))
        return FALSE;
    NoteMoved();
    return TRUE;
}

UINT_PTR QuillbySetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC procedure) {
    UINT_PTR set = SetTimer(window, id, elapse, procedure);
    if (set && window) timers.Set(reinterpret_cast<uintptr_t>(window), id, GetTickCount(), elapse);
    return set;
}

BOOL QuillbyKillTimer(HWND window, UINT_PTR id) {
    timers.Kill(reinterpret_cast<uintptr_t>(window), id);
    return KillTimer(window, id);
}

DWORD QuillbyGetTickCount() {
    if (heldTick) return *heldTick;
    if (!options.startTick) return GetTickCount();
    if (!looked) return *options.startTick;
    return *options.startTick + (GetTickCount() - realAtFirstLook);
}

BOOL QuillbySndPlaySoundW(LPCWSTR sound, UINT flags) {
    NoteMoved();
    if (!soundObserver) return sndPlaySoundW(sound, flags);
    soundObserver(sound, flags);
    return TRUE;
}

SHORT QuillbyGetAsyncKeyState(int key) {
    if (key != VK_LBUTTON || !heldStylus) return GetAsyncKeyState(key);
    return *heldStylus ? SHORT(0x8000) : 0;
}
