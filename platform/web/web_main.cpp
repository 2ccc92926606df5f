// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The page's start-up code: its script calls quillby_run once per game, and again for every
// "Play again", each time on a fresh platform.
#include <emscripten.h>

#include <memory>

#include "platform/host.h"
#include "platform/web/js_page.h"
#include "platform/web/web_backend.h"
#include "shell/platform.h"

extern "C" EMSCRIPTEN_KEEPALIVE int quillby_run(uint32_t startTick) {
    static platform::JsPage page;
    platform::Start(std::make_unique<platform::WebBackend>(page, startTick));
    int code = WinMain(GetModuleHandleW(nullptr), nullptr, const_cast<LPWSTR>(L""), SW_SHOW);
    platform::Stop();
    return code;
}
