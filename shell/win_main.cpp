// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The program's entry point: start one instance, then poll the queue for ever, handing the
// current screen the tick on every pass, message or not.
#include "shell/main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCommand) {
    if (!StartInstance(instance, showCommand)) return TheMainWindow.startExitCode;
    MSG msg;
    for (;;) {
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!GetMessageW(&msg, nullptr, 0, 0)) return int(msg.wParam);
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (App* app = TheMainWindow.app) app->currentScreen->Tick(GetTickCount());
    }
}
