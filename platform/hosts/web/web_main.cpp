// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The page's start-up code: its script calls quillby_run once per game, and again for every
// "Play again", each time on a fresh platform; with ?speak it hands over the voice's clips
// first, with quillby_add_wave, which every game then finds among its resources.
#include <emscripten.h>

#include <memory>
#include <vector>

#include "platform/host.h"
#include "platform/hosts/missing_capability.h"
#include "platform/hosts/web/js_page.h"
#include "platform/hosts/web/web_backend.h"
#include "shell/platform.h"

namespace {

struct Clip {
    int id;
    const uint8_t* data;  // the page's, kept for the page's life
    size_t size;
};
std::vector<Clip> voice;

}  // namespace

extern "C" EMSCRIPTEN_KEEPALIVE void quillby_add_wave(int id, const uint8_t* data, int size) {
    if (data && size > 0) voice.push_back(Clip{id, data, size_t(size)});
}

extern "C" EMSCRIPTEN_KEEPALIVE int quillby_run(uint32_t startTick, int speak) {
    static platform::JsPage page;
    platform::Start(std::make_unique<platform::WebBackend>(page, startTick));
    platform::SetCommandLine(speak ? L"quillby --speak" : L"quillby");
    for (const Clip& clip : voice) platform::AddWaveResource(clip.id, clip.data, clip.size);
    int code = WinMain(GetModuleHandleW(nullptr), nullptr, const_cast<LPWSTR>(L""), SW_SHOW);
    platform::ReportIfNoWindow(code, "the page has no canvas");
    platform::Stop();
    return code;
}
