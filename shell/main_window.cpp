// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "shell/main_window.h"

#include <cstring>
#include <new>

MainWindowState TheMainWindow;

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
    MainWindowState& w = TheMainWindow;
    MoveWindow(window, 0, 0, w.screenWidth, w.screenHeight, TRUE);
    PAINTSTRUCT ps;
    if (!w.app) {
        // No App (not yet, or no longer): nothing to show, but the window is validated so
        // that the paint request does not come back for ever.
        BeginPaint(window, &ps);
        EndPaint(window, &ps);
        return;
    }
    if (!w.app->currentScreen->active) return;
    HDC dc = BeginPaint(window, &ps);
    w.app->currentScreen->Paint(dc, true);
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
        // The host says so: bringing another copy forward is its doing.
        SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<ULONG_PTR>(running) | 1));
        TheMainWindow.startExitCode = 0;
        return FALSE;
    }
    RegisterMainWindowClass(instance, className);
    HWND window =
        CreateWindowExW(0, className, caption, WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    if (!window) {
        // Ending with 0 here would report a failure as success; the host tells the user.
        TheMainWindow.startExitCode = NoWindowExitCode;
        return FALSE;
    }
    TheMainWindow.app = new (std::nothrow) App(window, instance);
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return TRUE;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MainWindowState& w = TheMainWindow;
    switch (message) {
        case WM_CREATE: {
            std::memset(&w.activateInfo, 0, sizeof w.activateInfo);
            w.activateInfo.cbSize = sizeof w.activateInfo;
            HDC dc = GetDC(window);
            w.screenWidth = GetDeviceCaps(dc, HORZRES);
            w.screenHeight = GetDeviceCaps(dc, VERTRES);
            ReleaseDC(window, dc);
            MoveWindow(window, 0, 0, w.screenWidth, w.screenHeight, TRUE);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            delete w.app;
            w.app = nullptr;
            return 0;
        case WM_SIZE:
            return 0;
        case WM_ACTIVATE:
            SHHandleWMActivate(window, wParam, lParam, &w.activateInfo, 0);
            return 0;
        case WM_PAINT:
            Paint(window);
            return 0;
        case WM_SETTINGCHANGE:
            SHHandleWMSettingChange(window, wParam, lParam, &w.activateInfo);
            return 0;
        case WM_LBUTTONDOWN:
            if (w.app) w.app->currentScreen->PointerDown(LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_LBUTTONUP:
            if (w.app) w.app->currentScreen->PointerUp(LOWORD(lParam), HIWORD(lParam));
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}
