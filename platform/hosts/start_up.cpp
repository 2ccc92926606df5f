// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "platform/hosts/start_up.h"

#include <utility>

#include "platform/host.h"
#include "shell/platform.h"

namespace platform {

LPWSTR CommandTail(LPWSTR line) {
    auto blank = [](WCHAR c) { return c == L' ' || c == L'\t'; };
    WCHAR* p = line;
    if (*p == L'"') {
        for (++p; *p && *p != L'"'; ++p) {
        }
        if (*p) ++p;
    } else {
        while (*p && !blank(*p)) ++p;
    }
    while (blank(*p)) ++p;
    return p;
}

int RunProgram(EntryPoint entry, std::unique_ptr<Backend> backend, const ProgramStart& start) {
    Backend* running = backend.get();
    Start(std::move(backend));
    SetCommandLine(start.commandLine);
    SetThreadUILanguage(start.language);
    if (start.ready) start.ready();
    // The tail points into the platform's own copy of the line, as it points into the
    // process's on Windows.
    int code =
        entry(GetModuleHandleW(nullptr), nullptr, CommandTail(GetCommandLineW()), SW_SHOWDEFAULT);
    running->Exited(code);
    if (start.ended) code = start.ended(code);
    Stop();
    return code;
}

}  // namespace platform
