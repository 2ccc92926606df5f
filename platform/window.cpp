// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The program's top-level window, its class, its device contexts and the display it shows.
#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "platform/gdi_objects.h"
#include "platform/host.h"
#include "platform/message_queue.h"
#include "platform/window_object.h"

namespace platform {

HDC WindowDc(WindowObject* window);  // gdi.cpp

namespace {

struct WindowState {
    std::unique_ptr<Backend> backend;
    Surface display{kDisplayWidth, kDisplayHeight, RGB(0, 0, 0)};
    std::map<std::wstring, WNDCLASSW> classes;
    std::vector<std::unique_ptr<WindowObject>> windows;  // kept after destruction: handles stay
                                                         // recognisable as dead
};

WindowState& State() {
    static WindowState state;
    return state;
}

// Where CW_USEDEFAULT puts a top-level window: the work area below a 26-pixel task bar.
constexpr RECT kDefaultFrame{0, 26, kDisplayWidth, kDisplayHeight};

}  // namespace

void Start(std::unique_ptr<Backend> backend) {
    Stop();
    State().backend = std::move(backend);
    State().display = Surface(kDisplayWidth, kDisplayHeight, RGB(0, 0, 0));
    ResetQueue();
    LcgSrand(1);
}

void Stop() {
    WindowState& s = State();
    for (auto& w : s.windows)
        if (w->alive) DestroyWindow(reinterpret_cast<HWND>(w.get()));
    s.windows.clear();
    s.classes.clear();
    ResetQueue();
    s.backend.reset();
}

Backend* CurrentBackend() {
    return State().backend.get();
}

const Surface& Display() {
    return State().display;
}

WindowObject* ToWindow(HWND window) {
    auto* p = reinterpret_cast<WindowObject*>(window);
    for (auto& w : State().windows)
        if (w.get() == p && w->alive) return p;
    return nullptr;
}

HWND MainWindow() {
    for (auto& w : State().windows)
        if (w->alive) return reinterpret_cast<HWND>(w.get());
    return nullptr;
}

}  // namespace platform

using namespace platform;

ATOM RegisterClassW(const WNDCLASSW* wndClass) {
    if (!wndClass || !wndClass->lpszClassName || !wndClass->lpfnWndProc) return 0;
    std::wstring name = wndClass->lpszClassName;
    if (State().classes.count(name)) return 0;
    State().classes[name] = *wndClass;
    return ATOM(State().classes.size());
}

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param) {
    WindowState& s = State();
    if (!className || !s.classes.count(className) || !s.backend) return nullptr;
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
    if (!s.backend->OpenWindow(window->title)) return nullptr;
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
    for (auto& w : State().windows) {
        if (!w->alive) continue;
        if (className && w->className != className) continue;
        if (windowName && w->title != windowName) continue;
        return reinterpret_cast<HWND>(w.get());
    }
    Backend* b = CurrentBackend();
    if (b && b->FindRunningInstance()) return RunningInstanceHandle();
    return nullptr;
}

BOOL SetForegroundWindow(HWND window) {
    // The shell's convention of setting the lowest bit asks for the window's owned popups too.
    HWND plain = reinterpret_cast<HWND>(reinterpret_cast<ULONG_PTR>(window) & ~ULONG_PTR(1));
    if (plain == RunningInstanceHandle()) {
        CurrentBackend()->BringRunningInstanceForward();
        return TRUE;
    }
    return ToWindow(plain) ? TRUE : FALSE;
}

BOOL ShowWindow(HWND window, int command) {
    WindowObject* w = ToWindow(window);
    if (!w) return FALSE;
    bool was = w->visible;
    w->visible = command != SW_HIDE;
    if (w->visible && !was) InvalidateRect(window, nullptr, TRUE);
    return was ? TRUE : FALSE;
}

BOOL UpdateWindow(HWND window) {
    WindowObject* w = ToWindow(window);
    if (!w) return FALSE;
    if (w->invalid && w->visible) w->proc(window, WM_PAINT, 0, 0);
    return TRUE;
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
    WindowObject* w = ToWindow(window);
    if (!w) return FALSE;
    RECT old = w->frame;
    w->frame = RECT{x, y, x + width, y + height};
    if (old.right - old.left != width || old.bottom - old.top != height)
        w->proc(window, WM_SIZE, 0, MAKELPARAM(width, height));
    // As in Windows, a move that changes nothing repaints nothing.
    bool changed =
        old.left != x || old.top != y || old.right != x + width || old.bottom != y + height;
    if (repaint && changed) InvalidateRect(window, nullptr, TRUE);
    return TRUE;
}

BOOL GetClientRect(HWND window, LPRECT rect) {
    WindowObject* w = ToWindow(window);
    if (!w || !rect) return FALSE;
    *rect = RECT{0, 0, w->frame.right - w->frame.left, w->frame.bottom - w->frame.top};
    return TRUE;
}

BOOL InvalidateRect(HWND window, const RECT* rect, BOOL) {
    WindowObject* w = ToWindow(window);
    if (!w) return FALSE;
    RECT client{};
    GetClientRect(window, &client);
    RECT r = rect ? *rect : client;
    r.left = std::max(r.left, client.left);
    r.top = std::max(r.top, client.top);
    r.right = std::min(r.right, client.right);
    r.bottom = std::min(r.bottom, client.bottom);
    if (r.left >= r.right || r.top >= r.bottom) return TRUE;
    if (!w->invalid) {
        w->update = r;
        w->invalid = true;
    } else {
        w->update.left = std::min(w->update.left, r.left);
        w->update.top = std::min(w->update.top, r.top);
        w->update.right = std::max(w->update.right, r.right);
        w->update.bottom = std::max(w->update.bottom, r.bottom);
    }
    return TRUE;
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

HICON LoadIconW(HINSTANCE, LPCWSTR) {
    // Windows only show icons through the host's own window decorations.
    return nullptr;
}

HDC GetDC(HWND window) {
    WindowObject* w = ToWindow(window);
    if (!w) return nullptr;
    w->dcCount++;
    return WindowDc(w);
}

int ReleaseDC(HWND window, HDC dc) {
    DeviceContext* d = ToDc(dc);
    WindowObject* w = ToWindow(window);
    if (!d || !d->window || d->window != w) return 0;
    w->dcCount--;
    d->window = nullptr;  // a released DC becomes an empty memory DC, which DeleteDC accepts
    DeleteDC(dc);
    return 1;
}

HDC BeginPaint(HWND window, PAINTSTRUCT* paint) {
    if (!paint) return nullptr;
    *paint = PAINTSTRUCT{};  // a failed call still leaves EndPaint a null DC to release
    WindowObject* w = ToWindow(window);
    if (!w) return nullptr;
    paint->rcPaint = w->invalid ? w->update : RECT{0, 0, 0, 0};
    w->invalid = false;
    paint->hdc = GetDC(window);
    return paint->hdc;
}

BOOL EndPaint(HWND window, const PAINTSTRUCT* paint) {
    if (!paint) return FALSE;
    ReleaseDC(window, paint->hdc);
    return TRUE;
}

int GetDeviceCaps(HDC dc, int index) {
    if (!ToDc(dc)) return 0;
    switch (index) {
        case HORZRES:
            return kDisplayWidth;
        case VERTRES:
            return kDisplayHeight;
        default:
            return 0;
    }
}

SHORT GetAsyncKeyState(int key) {
    Backend* b = CurrentBackend();
    if (key != VK_LBUTTON || !b) return 0;
    return b->StylusDown() ? SHORT(0x8000) : 0;
}

DWORD GetTickCount() {
    Backend* b = CurrentBackend();
    return b ? b->Now() : 0;
}
