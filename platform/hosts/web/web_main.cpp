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
#include "platform/hosts/start_up.h"
#include "platform/hosts/web/js_page.h"
#include "platform/hosts/web/web_backend.h"

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
    platform::ProgramStart start;
    start.commandLine = speak ? L"quillby --speak" : L"quillby";
    start.ready = [] {
        for (const Clip& clip : voice) platform::AddWaveResource(clip.id, clip.data, clip.size);
    };
    start.ended = [](int code) {
        platform::ReportIfNoWindow(code, "the page has no canvas");
        return code;
    };
    return platform::RunProgram(WinMain, std::make_unique<platform::WebBackend>(page, startTick),
                                start);
}
