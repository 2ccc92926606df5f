// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// One Quillby per Windows session (what it is for, depends on and cannot do: first_copy.h).
#include "platform/hosts/win32/first_copy.h"

namespace platform::win32 {
namespace {

// How many copies in a row may hang before a launch goes on regardless: one mutex each.
constexpr int kMutexes = 8;
// How often a launch looks for the holder's window, for its heartbeat and for its end.
constexpr DWORD kLookMs = 20;
// How often a holder's heartbeat beats.
constexpr DWORD kBeatMs = 100;

std::wstring MutexName(const std::wstring& className, const std::wstring& caption, int index) {
    std::wstring name = L"Local\\" + caption + L"." + className;
    return index ? name + L"." + std::to_wstring(index) : name;
}

std::wstring HeartbeatName(const std::wstring& mutexName) {
    return mutexName + L".heartbeat";
}

bool Owned(DWORD waited) {
    return waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

struct Heartbeat {
    volatile LONG* count;
    HANDLE starter;  // the thread that claimed, which goes on to start the program
    DWORD limitMs;
};

// The processor time `thread` has used, in 100 ns; false where it cannot be told.
bool ThreadTime(HANDLE thread, ULONGLONG& used) {
    FILETIME created, ended, kernel, user;
    if (!GetThreadTimes(thread, &created, &ended, &kernel, &user)) return false;
    used = (ULONGLONG(kernel.dwHighDateTime) << 32 | kernel.dwLowDateTime) +
           (ULONGLONG(user.dwHighDateTime) << 32 | user.dwLowDateTime);
    return true;
}

DWORD WINAPI Beat(void* parameter) {
    auto* heart = static_cast<Heartbeat*>(parameter);
    ULONGLONG used = 0, now = 0;
    bool told = ThreadTime(heart->starter, used);
    for (DWORD ms = 0; ms < heart->limitMs; ms += kBeatMs) {
        // Only while the program's start moves on: a starter that is stuck (deadlocked, on a
        // dead share or an audio device) beats no more, although this thread would go on.
        // Where its time cannot be told, every beat counts.
        bool moved = !told || !ThreadTime(heart->starter, now) || now != used;
        used = now;
        if (moved) InterlockedIncrement(heart->count);
        Sleep(kBeatMs);
    }
    CloseHandle(heart->starter);
    delete heart;
    return 0;
}

// The holder's heartbeat: a count in a mapping named after its mutex, which a thread of the
// holder moves on while the thread that claimed uses the processor, until the start limit has
// passed. Windows under Wine tells nobody how much processor time another process used, though
// a process may ask of its own threads; and a process that is suspended (a crash being
// reported, a debugger) beats no more.
void StartHeartbeat(const std::wstring& mutexName, DWORD startLimitMs) {
    // Kept for the process's life, like the mutex.
    HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                        sizeof(LONG), HeartbeatName(mutexName).c_str());
    void* view = mapping ? MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(LONG)) : nullptr;
    HANDLE starter = nullptr;
    if (!view || !DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(),
                                  &starter, THREAD_QUERY_LIMITED_INFORMATION, FALSE, 0))
        return;
    auto* heart = new Heartbeat{static_cast<volatile LONG*>(view), starter, startLimitMs};
    HANDLE thread = CreateThread(nullptr, 0, Beat, heart, 0, nullptr);
    if (thread) {
        CloseHandle(thread);
    } else {
        CloseHandle(starter);
        delete heart;
    }
}

// The holder's heartbeat count; -1 where it has none (yet).
LONG HeartbeatCount(const std::wstring& mutexName) {
    HANDLE mapping = OpenFileMappingW(FILE_MAP_READ, FALSE, HeartbeatName(mutexName).c_str());
    if (!mapping) return -1;
    LONG count = -1;
    if (void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, sizeof(LONG))) {
        count = *static_cast<volatile LONG*>(view);
        UnmapViewOfFile(view);
    }
    CloseHandle(mapping);
    return count;
}

}  // namespace

FirstCopy ClaimSession(const std::wstring& className, const std::wstring& caption,
                       DWORD quietLimitMs, DWORD startLimitMs) {
    bool hung = false;
    for (int index = 0; index < kMutexes; ++index) {
        std::wstring name = MutexName(className, caption, index);
        HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
        if (!mutex) break;
        // Ours until the process ends: the handle is never closed, and the system releases
        // the mutex then (abandoned, which the next launch takes as free).
        bool owned = Owned(WaitForSingleObject(mutex, 0));
        ULONGLONG start = GetTickCount64(), moved = start;
        LONG beats = -1;
        while (!owned) {
            if (FindWindowW(className.c_str(), caption.c_str())) {
                CloseHandle(mutex);
                return FirstCopy::kShown;
            }
            // The holder ended (or gave up) meanwhile: the mutex is this launch's.
            owned = Owned(WaitForSingleObject(mutex, kLookMs));
            ULONGLONG now = GetTickCount64();
            LONG count = HeartbeatCount(name);
            if (count != beats) moved = now;
            beats = count;
            if (!owned && (now - moved >= quietLimitMs || now - start >= startLimitMs)) break;
        }
        if (owned) {
            StartHeartbeat(name, startLimitMs);
            return hung ? FirstCopy::kHung : FirstCopy::kNone;
        }
        CloseHandle(mutex);
        hung = true;
    }
    return hung ? FirstCopy::kHung : FirstCopy::kNone;
}

}  // namespace platform::win32
