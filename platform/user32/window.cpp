// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// user32: RegisterClassW, CreateWindowExW, DestroyWindow, FindWindowW, DefWindowProcW
// The program's top-level windows and their class, each a frame on the display, and what a
// window does with the messages its procedure leaves alone.
#include "platform/gdi32/gdi_objects.h"
#include "platform/host.h"
#include "platform/platform_state.h"
#include "platform/user32/message_queue.h"
#include "platform/user32/window_icon.h"
#include "platform/user32/window_object.h"

namespace platform {
namespace {

WindowTable& Windows() {
    return State().windows;
}

// Where CW_USEDEFAULT puts a top-level window: the work area below a 26-pixel task bar.
constexpr RECT kDefaultFrame{0, 26, kDisplayWidth, kDisplayHeight};

}  // namespace

void DestroyAllWindows() {
    // By index: a window procedure may make another window while this one goes.
    auto& windows = Windows().windows;
    for (size_t i = 0; i < windows.size(); ++i)
        if (windows[i]->alive) DestroyWindow(reinterpret_cast<HWND>(windows[i].get()));
}

WindowObject* ToWindow(HWND window) {
    auto* p = reinterpret_cast<WindowObject*>(window);
    for (auto& w : Windows().windows)
        if (w.get() == p && w->alive) return p;
    return nullptr;
}

HWND MainWindow() {
    for (auto& w : Windows().windows)
        if (w->alive) return reinterpret_cast<HWND>(w.get());
    return nullptr;
}

}  // namespace platform

using namespace platform;

ATOM RegisterClassW(const WNDCLASSW* wndClass) {
    if (!wndClass || !wndClass->lpszClassName || !wndClass->lpfnWndProc) return 0;
    std::wstring name = wndClass->lpszClassName;
    auto& classes = Windows().classes;
    if (classes.count(name)) return 0;
    classes[name] = *wndClass;
    return ATOM(classes.size());
}

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param) {
    WindowTable& s = Windows();
    Backend* backend = CurrentBackend();
    if (!className || !s.classes.count(className) || !backend) return nullptr;
    const WNDCLASSW& cls = s.classes[className];
    auto window = std::make_unique<WindowObject>();
    window->className = className;
    window->title = windowName ? windowName : L"";
    window->proc = cls.lpfnWndProc;
    window->classStyle = cls.style;
    window->style = style;
    RECT frame = kDefaultFrame;
    if (x != CW_USEDEFAULT) frame.left = x, frame.top = y;
    if (width != CW_USEDEFAULT) frame.right = frame.left + width, frame.bottom = frame.top + height;
    window->frame = frame;
    if (!backend->OpenWindow(window->title)) return nullptr;
    Surface icon = WindowIconPicture(cls.hIcon);
    if (!icon.pixels.empty()) backend->SetWindowIcon(icon);
    WindowObject* w = window.get();
    s.windows.push_back(std::move(window));
    HWND handle = reinterpret_cast<HWND>(w);

    CREATESTRUCTW create{param,
                         instance,
                         menu,
                         parent,
                         frame.bottom - frame.top,
                         frame.right - frame.left,
                         frame.top,
                         frame.left,
                         LONG(style),
                         windowName,
                         className,
                         exStyle};
    if (w->proc(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        DestroyWindow(handle);
        return nullptr;
    }
    if (w->alive && (style & WS_VISIBLE)) ShowWindow(handle, SW_SHOW);
    return w->alive ? handle : nullptr;
}

BOOL DestroyWindow(HWND window) {
    WindowObject* w = ToWindow(window);
    if (!w) return FALSE;
    w->proc(window, WM_DESTROY, 0, 0);
    w->proc(window, WM_NCDESTROY, 0, 0);
    w->alive = false;
    w->invalid = false;
    DropMessagesFor(window);
    if (CurrentBackend()) CurrentBackend()->CloseWindow();
    return TRUE;
}

HWND FindWindowW(LPCWSTR className, LPCWSTR windowName) {
    for (auto& w : Windows().windows) {
        if (!w->alive) continue;
        if (className && w->className != className) continue;
        if (windowName && w->title != windowName) continue;
        return reinterpret_cast<HWND>(w.get());
    }
    Backend* b = CurrentBackend();
    if (b && b->FindRunningInstance()) return RunningInstanceHandle();
    return nullptr;
}

LRESULT DefWindowProcW(HWND window, UINT message, WPARAM, LPARAM) {
    switch (message) {
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            BeginPaint(window, &ps);
            EndPaint(window, &ps);
            return 0;
        }
        default:
            return 0;
    }
}
