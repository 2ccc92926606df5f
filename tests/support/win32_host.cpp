// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The test host on real Win32 (under Wine in `make test`): a window of the program's kind, made
// through the thin layer, with the tick and the stylus held by the layer and the sounds caught
// before they reach the speakers.
#include <vector>

#include "platform/hosts/win32/layer.h"
#include "platform/hosts/win32/test_hooks.h"
#include "tests/support/test_host.h"

namespace {

std::vector<int> sounds;
DWORD tick = 0;
HWND window = nullptr;

BOOL CALLBACK IsThisSound(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR found) {
    auto* sound = reinterpret_cast<std::pair<LPCWSTR, int>*>(found);
    HRSRC resource = FindResourceW(module, name, type);
    if (LoadResource(module, resource) != sound->first || !IS_INTRESOURCE(name)) return TRUE;
    sound->second = int(reinterpret_cast<ULONG_PTR>(name));
    return FALSE;
}

// The number of the WAVE resource whose image this is; 0 for silence or any other image.
void Record(LPCWSTR sound, UINT) {
    std::pair<LPCWSTR, int> found{sound, 0};
    if (sound)
        EnumResourceNamesW(GetModuleHandleW(nullptr), L"WAVE", IsThisSound, LONG_PTR(&found));
    sounds.push_back(found.second);
}

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

namespace test_host {

HWND Open(DWORD startTick) {
    Close();
    platform::win32::Configure(platform::win32::Options{1, false, {}});
    tick = startTick;
    platform::win32::HoldTick(tick);
    platform::win32::HoldStylus(false);
    platform::win32::ObserveSounds(Record);
    static ATOM registered = [] {
        WNDCLASSW cls{};
        cls.lpfnWndProc = TestWindowProc;
        cls.hInstance = GetModuleHandleW(nullptr);
        cls.lpszClassName = L"QUILLBY_TEST";
        return QuillbyRegisterClassW(&cls);
    }();
    (void)registered;
    window = QuillbyCreateWindowExW(0, L"QUILLBY_TEST", L"Quillby test", WS_VISIBLE, 0, 0, 240, 320,
                                    nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    return window;
}

void Close() {
    if (window) DestroyWindow(window);
    window = nullptr;
    // What a test posted and never took (a quit message, say) is not the next test's.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    sounds.clear();
    platform::win32::HoldTick(std::nullopt);
    platform::win32::HoldStylus(std::nullopt);
    platform::win32::ObserveSounds(nullptr);
}

std::vector<int> Sounds() {
    return sounds;
}

DWORD Now() {
    return tick;
}

void Advance(DWORD ms) {
    tick += ms;
    platform::win32::HoldTick(tick);
}

void SetStylus(bool down) {
    platform::win32::HoldStylus(down);
}

}  // namespace test_host
