// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The one start-up of every host but Windows (whose own is platform/hosts/win32/main.cpp): it
// sets the platform up on the host's backend with the process's command line, calls the
// program's WinMain as Windows' start-up code calls it, and takes the platform down again.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/backend.h"
#include "shell/platform.h"

namespace platform {

struct ProgramStart {
    // The process's command line, as GetCommandLineW gives it (see WindowsCommandLine).
    std::wstring commandLine = L"quillby";
    // The thread's UI language, in which the program's resources are found first.
    uint16_t language = 0x0409;
    // Once the platform is set up, before WinMain: what the host hands the program beside its
    // command line (the page's voice).
    std::function<void()> ready;
    // Once WinMain has returned and the backend has heard its code, before the platform goes:
    // the process's exit code, given the program's (without it, the program's).
    std::function<int(int code)> ended;
};

// What Windows hands WinMain as its command line: `line` past the program's name (quoted, to
// its closing quote; else to the first blank) and the blanks after it, raw, its quotes and
// backslashes as they were typed. It points into `line`.
LPWSTR CommandTail(LPWSTR line);

// The program's entry point: WinMain. The host's start-up names it (the platform's library is
// linked before the program's, so the call must come from the start-up's own code).
using EntryPoint = int(WINAPI*)(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine,
                                int showCommand);

// Runs the program's `entry` on `backend` and gives its exit code (or what `start.ended` makes
// of it). The entry gets the program's module, no previous instance, the command line's tail
// and SW_SHOWDEFAULT: no host here is told how a launcher wants the window shown.
int RunProgram(EntryPoint entry, std::unique_ptr<Backend> backend, const ProgramStart& start);

}  // namespace platform
