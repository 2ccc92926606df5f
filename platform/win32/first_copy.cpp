// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// One Quillby per Windows session (what it is for, depends on and cannot do: first_copy.h).
#include "platform/win32/first_copy.h"

namespace platform::win32 {
namespace {

// How many copies in a row may hang before a launch goes on regardless: one mutex each.
constexpr int kMutexes = 8;
// How often a launch looks for the holder's window, and for the holder having ended.
constexpr DWORD kLookMs = 20;

std::wstring MutexName(const std::wstring& className, const std::wstring& caption, int index) {
    std::wstring name = L"Local\\" + caption + L"." + className;
    return index ? name + L"." + std::to_wstring(index) : name;
}

bool Owned(DWORD waited) {
    return waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

}  // namespace

FirstCopy ClaimSession(const std::wstring& className, const std::wstring& caption, DWORD limitMs) {
    bool hung = false;
    for (int index = 0; index < kMutexes; ++index) {
        HANDLE mutex = CreateMutexW(nullptr, FALSE, MutexName(className, caption, index).c_str());
        if (!mutex) break;
        // Ours until the process ends: the handle is never closed, and the system releases
        // the mutex then (abandoned, which the next launch takes as free).
        if (Owned(WaitForSingleObject(mutex, 0))) break;
        ULONGLONG deadline = GetTickCount64() + limitMs;
        for (;;) {
            if (FindWindowW(className.c_str(), caption.c_str())) {
                CloseHandle(mutex);
                return FirstCopy::kShown;
            }
            // The holder ended (or gave up) meanwhile: the mutex is this launch's.
            if (Owned(WaitForSingleObject(mutex, kLookMs)))
                return hung ? FirstCopy::kHung : FirstCopy::kNone;
            if (GetTickCount64() >= deadline) break;
        }
        CloseHandle(mutex);
        hung = true;
    }
    return hung ? FirstCopy::kHung : FirstCopy::kNone;
}

}  // namespace platform::win32
