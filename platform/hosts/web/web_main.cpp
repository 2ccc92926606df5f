// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The page's start-up code: its script calls quillby_run once per game, and again for every
// "Play again", each time on a fresh platform; with ?speak it hands over the voice's clips
// first, with quillby_add_wave, which every game then finds among its resources.
#include <emscripten.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/formats/printable.h"
#include "platform/host.h"
#include "platform/hosts/missing_capability.h"
#include "platform/hosts/start_up.h"
#include "platform/hosts/ui_language.h"
#include "platform/hosts/web/js_page.h"
#include "platform/hosts/web/web_backend.h"
#include "platform/kernel32/resource_lookup.h"

namespace {

struct Clip {
    int id;
    const uint8_t* data;  // the page's, kept for the page's life
    size_t size;
};
std::vector<Clip> voice;
uint16_t language = 0x0409;

// The string that holds each language's alphabet.
constexpr int kAlphabetString = 16;

}  // namespace

extern "C" EMSCRIPTEN_KEEPALIVE void quillby_add_wave(int id, const uint8_t* data, int size) {
    if (data && size > 0) voice.push_back(Clip{id, data, size_t(size)});
}

// The page's language: `?lang=` when it is given (`asked` then says so), else the first of the
// browser's languages (`preferred`, colon-separated) Quillby has, else English. A ?lang= that
// names none gets English and a quiet sign in the console. Gives its two-letter code ("en",
// "de"), by which the page knows which voice file to fetch.
extern "C" EMSCRIPTEN_KEEPALIVE const char* quillby_choose_language(int asked, const char* lang,
                                                                    const char* preferred) {
    std::vector<uint16_t> has = platform::StringLanguages(kAlphabetString);
    std::vector<std::string> browser;
    for (std::string_view rest(preferred ? preferred : ""); !rest.empty();) {
        size_t colon = rest.find(':');
        browser.emplace_back(rest.substr(0, colon));
        rest = colon == std::string_view::npos ? "" : rest.substr(colon + 1);
    }
    platform::LanguageChoice choice = platform::ChooseLanguage(
        asked ? std::string(lang && *lang ? lang : "?") : "", has, browser);
    if (!choice.error.empty()) {
        std::string sign = "quillby: ?lang=" + platform::Printable(lang ? lang : "", 40) +
                           " is none of " + platform::CodesOf(has) + "; playing in English";
        emscripten_log(EM_LOG_CONSOLE | EM_LOG_WARN, "%s", sign.c_str());
    }
    language = choice.language;
    static std::string code;
    code = platform::CodeOfLanguage(language);
    return code.c_str();
}

extern "C" EMSCRIPTEN_KEEPALIVE int quillby_run(uint32_t startTick, int speak) {
    static platform::JsPage page;
    platform::ProgramStart start;
    start.commandLine = speak ? L"quillby --speak" : L"quillby";
    start.language = language;
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
