// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// A copy that claims the session's first place as quillby.exe does, with the program's own
// window class and title, then never shows a window: the launch storm suspends it, as a debugger
// or a crash being reported would, and launches beside it must go on after the quiet limit.
// It says "holding" on its error output once it holds the place, and then waits for ever.
#include <cstdio>
#include <string>

#include "platform/hosts/win32/first_copy.h"

namespace {

std::wstring ResourceString(UINT id) {
    WCHAR text[100] = {};
    LoadStringW(GetModuleHandleW(nullptr), id, text, 100);
    return text;
}

}  // namespace

int main() {
    // The program knows a running copy by its window's class (string 3) and title (string 1).
    platform::win32::FirstCopy found =
        platform::win32::ClaimSession(ResourceString(3), ResourceString(1));
    if (found == platform::win32::FirstCopy::kShown) {
        std::fputs("silent_first_copy: a copy's window is there already\n", stderr);
        return 1;
    }
    std::fputs("holding\n", stderr);
    std::fflush(stderr);
    Sleep(INFINITE);
}
