// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The program's windows on a PC: a caption with a close and a minimise button round the picture
// at a whole scale (or the whole monitor, full screen), the program's icon, and stylus
// positions handed to the program in display pixels.
#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "platform/host.h"
#include "platform/hosts/win32/layer.h"
#include "platform/hosts/win32/window_plan.h"

namespace platform::win32 {
namespace {

// The procedures the program registered, by class; the real classes get LayerProc.
std::vector<std::pair<ATOM, WNDPROC>>& ProgramProcs() {
    static std::vector<std::pair<ATOM, WNDPROC>> procs;
    return procs;
}

WNDPROC ProgramProcOf(HWND window) {
    ATOM atom = ATOM(GetClassLongPtrW(window, GCW_ATOM));
    for (auto& [a, proc] : ProgramProcs())
        if (a == atom) return proc;
    return DefWindowProcW;
}

// The plan of the window being made, until its procedure sees it.
WindowPlan pendingPlan{
    false, {0, 0, kDisplayWidth, kDisplayHeight}, {1, 0, 0, kDisplayWidth, kDisplayHeight}};

constexpr DWORD kWindowedStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

BOOL CALLBACK TakeFirstName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) {
    *reinterpret_cast<LPCWSTR*>(found) = name;
    return FALSE;
}

// The program's own icon, so that the task bar shows it: its first icon group, whatever number.
HICON ProgramIcon(HINSTANCE instance) {
    LPCWSTR name = nullptr;
    EnumResourceNamesW(instance, RT_GROUP_ICON, TakeFirstName, LONG_PTR(&name));
    return name ? LoadIconW(instance, name) : nullptr;
}

LPARAM InDisplayPixels(PixelPoint p) {
    return MAKELPARAM(p.x, p.y);
}

// Windows cuts a window larger than the screen down to it; a scale asked for is kept, as on
// Linux.
LRESULT KeepPlannedSize(WNDPROC proc, HWND window, WPARAM wParam, LPARAM lParam,
                        const RECT& outer) {
    LRESULT result = proc(window, WM_GETMINMAXINFO, wParam, lParam);
    auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
    limits->ptMaxTrackSize.x = std::max(limits->ptMaxTrackSize.x, outer.right - outer.left);
    limits->ptMaxTrackSize.y = std::max(limits->ptMaxTrackSize.y, outer.bottom - outer.top);
    return result;
}

LRESULT CALLBACK LayerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DisplayWindow* d = FindDisplay(window);
    if (!d) {
        WNDPROC proc = ProgramProcOf(window);
        if (GetParent(window)) return proc(window, message, wParam, lParam);
        // The first message, before the window is created.
        if (message == WM_GETMINMAXINFO)
            return KeepPlannedSize(proc, window, wParam, lParam, pendingPlan.outer);
        if (message != WM_NCCREATE) return proc(window, message, wParam, lParam);
        d = AttachDisplay(window, proc, pendingPlan.layout);
        d->outer = pendingPlan.outer;
    }
    WNDPROC proc = d->programProc;
    // Signed: with the stylus captured, a release left of or above the window is negative.
    int x = short(LOWORD(lParam)), y = short(HIWORD(lParam));
    switch (message) {
        case WM_GETMINMAXINFO:
            return KeepPlannedSize(proc, window, wParam, lParam, d->outer);
        case WM_ERASEBKGND:
            // The picture covers its part; around a full-screen picture the screen is black.
            PaintBorder(*d, HDC(wParam));
            return 1;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            std::optional<PixelPoint> p = PressAt(d->layout, x, y);
            if (!p) return 0;  // on the black round a full-screen picture
            d->pressed = true;
            SetCapture(window);
            return proc(window, message, wParam, InDisplayPixels(*p));
        }
        case WM_LBUTTONUP:
            if (GetCapture() == window) ReleaseCapture();
            if (!d->pressed) return 0;  // the press fell on the black: so does its release
            d->pressed = false;
            // Outside the picture it comes up on the nearest edge: a press always ends.
            return proc(window, message, wParam, InDisplayPixels(ReleaseAt(d->layout, x, y)));
        case WM_MOUSEMOVE:
            return proc(window, message, wParam, InDisplayPixels(ReleaseAt(d->layout, x, y)));
        case WM_NCDESTROY: {
            LRESULT result = proc(window, message, wParam, lParam);
            DetachDisplay(window);
            return result;
        }
        default:
            return proc(window, message, wParam, lParam);
    }
}

}  // namespace

}  // namespace platform::win32

using namespace platform;
using namespace platform::win32;

ATOM QuillbyRegisterClassW(const WNDCLASSW* wndClass) {
    if (!wndClass) return RegisterClassW(wndClass);
    WNDCLASSW real = *wndClass;
    real.lpfnWndProc = LayerProc;
    if (!real.hIcon)
        real.hIcon = ProgramIcon(real.hInstance ? real.hInstance : GetModuleHandleW(nullptr));
    if (!real.hCursor) real.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    ATOM atom = RegisterClassW(&real);
    if (atom) ProgramProcs().emplace_back(atom, wndClass->lpfnWndProc);
    return atom;
}

HWND QuillbyCreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style,
                            int x, int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, LPVOID param) {
    if (parent)
        return CreateWindowExW(exStyle, className, windowName, style, x, y, width, height, parent,
                               menu, instance, param);
    const Options& options = CurrentOptions();
    HMONITOR monitor = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    DWORD shown = style & WS_VISIBLE;
    DWORD realStyle = (options.fullscreen ? WS_POPUP : kWindowedStyle) | shown;
    RECT frame{0, 0, 0, 0};
    if (!options.fullscreen) AdjustWindowRectEx(&frame, realStyle, FALSE, exStyle);
    WindowPlan plan =
        PlanWindow(options.scale, options.fullscreen, info.rcWork, info.rcMonitor, frame);
    pendingPlan = plan;
    const RECT& r = plan.outer;
    return CreateWindowExW(exStyle, className, windowName, realStyle, r.left, r.top,
                           r.right - r.left, r.bottom - r.top, nullptr, menu, instance, param);
}

BOOL QuillbySetForegroundWindow(HWND window) {
    // The handheld marks the handle to bring the window's own popups forward too; a PC's
    // handle is the plain one, and a minimised game comes back as it was. Another process's
    // window is the copy already running, which the program found: the host says so.
    HWND plain = HWND(ULONG_PTR(window) & ~ULONG_PTR(1));
    DWORD process = 0;
    if (GetWindowThreadProcessId(plain, &process) && process != GetCurrentProcessId())
        std::fputs("quillby: Quillby is already running; bringing it to the front\n", stderr);
    if (IsIconic(plain)) ShowWindow(plain, SW_RESTORE);
    return SetForegroundWindow(plain);
}
