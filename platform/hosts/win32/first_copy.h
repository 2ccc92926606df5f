// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// One Quillby per Windows session, decided before the program looks for a running copy's
// window: the first launch takes a named mutex in the session's Local\ namespace and holds it
// for its life; a launch that finds it held waits for that copy's window to appear, so that the
// program's own FindWindowW check finds it. The holder counts as starting while its heartbeat
// goes on, which it does while the thread that claimed, the one that starts the program, uses
// the processor, up to the start limit; one whose heartbeat has stopped for the quiet limit (it
// is suspended, or that thread hangs) is taken for hung: the launches that found it take the next
// mutex of a short row, and the one that gets it goes on to open a window, so that they open one
// between them.
// Depends on: kernel32's named mutexes and mappings and its threads' times, user32's
// FindWindowW. Cannot: tell a copy that hangs busily from one that takes longer than the start
// limit to show its window.
#pragma once

#include <windows.h>

#include <string>

namespace platform::win32 {

// Ten copies started at once under Wine on two busy cores showed their window up to 21 s after
// the launches; a parent waits no longer than 5 s beside a suspended copy.
constexpr DWORD kQuietLimitMs = 5000;
constexpr DWORD kStartLimitMs = 30000;

enum class FirstCopy {
    kNone,   // no other copy: this one holds the mutex
    kShown,  // another copy's window is there for the program to find
    kHung,   // the copy holding the mutex is suspended or hung: this one took over
};

// Takes the mutex (held until the process ends), or waits for its holder's window, of class
// `className` and title `caption`.
FirstCopy ClaimSession(const std::wstring& className, const std::wstring& caption,
                       DWORD quietLimitMs = kQuietLimitMs, DWORD startLimitMs = kStartLimitMs);

}  // namespace platform::win32
