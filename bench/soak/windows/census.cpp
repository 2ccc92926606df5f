// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// What Windows says the running game holds, asked from beside it, for bench/soak/windows.sh: one
// line,
//   pid HEX gdi N user N windows N private_kib N working_kib N
// its GDI and USER objects (GetGuiResources; Wine answers 0 to both), its windows, top-level and
// child, and its memory (GetProcessMemoryInfo). Exits 1 when no game is running.
#include <windows.h>
// after windows.h, which it needs
#include <psapi.h>

#include <cstdio>

namespace {

struct Count {
    DWORD process;
    int windows;
};

BOOL CALLBACK CountChild(HWND, LPARAM counting) {
    reinterpret_cast<Count*>(counting)->windows++;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM counting) {
    auto* count = reinterpret_cast<Count*>(counting);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != count->process) return TRUE;
    count->windows++;
    EnumChildWindows(window, CountChild, counting);
    return TRUE;
}

}  // namespace

int main() {
    HWND game = FindWindowW(L"FIRST", L"Quillby");
    if (!game) {
        std::puts("no game is running");
        return 1;
    }
    Count count{0, 0};
    GetWindowThreadProcessId(game, &count.process);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, count.process);
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&count));
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process, &memory, sizeof memory);
    std::printf("pid %04lx gdi %lu user %lu windows %d private_kib %llu working_kib %llu\n",
                count.process, GetGuiResources(process, GR_GDIOBJECTS),
                GetGuiResources(process, GR_USEROBJECTS), count.windows,
                static_cast<unsigned long long>(memory.PagefileUsage / 1024),
                static_cast<unsigned long long>(memory.WorkingSetSize / 1024));
    CloseHandle(process);
    return 0;
}
