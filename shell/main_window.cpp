// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "shell/main_window.h"

#include <cstdio>
#include <cstring>
#include <new>

App* TheApp = nullptr;
int ScreenWidth = 0;
int ScreenHeight = 0;
SHACTIVATEINFO ActivateInfo;
int StartExitCode = 0;

namespace {

constexpr UINT CaptionString = 1;
constexpr UINT ClassNameString = 3;
constexpr int NoIcon = 3;  // the resources hold no icon under this number
constexpr int StringBufferLength = 100;

void Paint(HWND window) {
    SHDoneButton(window, SHDB_HIDE);
    SHFullScreen(window, SHFS_HIDESIPBUTTON);
    SHFullScreen(window, SHFS_HIDETASKBAR);
    SHFullScreen(window, SHFS_HIDESTARTICON);
    MoveWindow(window, 0, 0, ScreenWidth, ScreenHeight, TRUE);
    PAINTSTRUCT ps;
    if (!TheApp) {
        // No App (not yet, or no longer): nothing to show, but the window is validated so
        // that the paint request does not come back for ever.
        BeginPaint(window, &ps);
        EndPaint(window, &ps);
        return;
    }
    if (!TheApp->currentScreen->active) return;
    HDC dc = BeginPaint(window, &ps);
    TheApp->currentScreen->Paint(dc, true);
    EndPaint(window, &ps);
}

}  // namespace

ATOM RegisterMainWindowClass(HINSTANCE instance, LPCWSTR className) {
    WNDCLASSW wc{};
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = MainWindowProc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 0;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(NoIcon));
    wc.hCursor = nullptr;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszMenuName = nullptr;
    wc.lpszClassName = className;
    return RegisterClassW(&wc);
}

BOOL StartInstance(HINSTANCE instance, int showCommand) {
    WCHAR className[StringBufferLength];
    WCHAR caption[StringBufferLength];
    LoadStringW(instance, ClassNameString, className, StringBufferLength);
    LoadStringW(instance, CaptionString, caption, StringBufferLength);

    if (HWND running = FindWindowW(className, caption)) {
        SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<ULONG_PTR>(running) | 1));
        std::fputs("quillby: Quillby is already running; bringing it to the front\n", stderr);
        StartExitCode = 0;
        return FALSE;
    }
    RegisterMainWindowClass(instance, className);
    HWND window =
        CreateWindowExW(0, className, caption, WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    if (!window) {
        // Ending with 0 here would report a failure as success.
        std::fputs("quillby: cannot create the main window\n", stderr);
        StartExitCode = 1;
        return FALSE;
    }
    TheApp = new (std::nothrow) App(window, instance);
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return TRUE;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: {
            std::memset(&ActivateInfo, 0, sizeof ActivateInfo);
            ActivateInfo.cbSize = sizeof ActivateInfo;
            HDC dc = GetDC(window);
            ScreenWidth = GetDeviceCaps(dc, HORZRES);
            ScreenHeight = GetDeviceCaps(dc, VERTRES);
            ReleaseDC(window, dc);
            MoveWindow(window, 0, 0, ScreenWidth, ScreenHeight, TRUE);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            delete TheApp;
            TheApp = nullptr;
            return 0;
        case WM_SIZE:
            return 0;
        case WM_ACTIVATE:
            SHHandleWMActivate(window, wParam, lParam, &ActivateInfo, 0);
            return 0;
        case WM_PAINT:
            Paint(window);
            return 0;
        case WM_SETTINGCHANGE:
            SHHandleWMSettingChange(window, wParam, lParam, &ActivateInfo);
            return 0;
        case WM_LBUTTONDOWN:
            if (TheApp) TheApp->currentScreen->PointerDown(LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_LBUTTONUP:
            if (TheApp) TheApp->currentScreen->PointerUp(LOWORD(lParam), HIWORD(lParam));
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}
