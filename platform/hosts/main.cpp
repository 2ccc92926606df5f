// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The host's start-up code: reads the command line and runs the program on the chosen backend
// (start_up.h), exiting with its result.
#include <cstdlib>
#include <iostream>
#include <memory>
#include <vector>

#include "platform/formats/printable.h"
#include "platform/hosts/command_line.h"
#include "platform/hosts/desktop.h"
#include "platform/hosts/headless/headless_backend.h"
#include "platform/hosts/missing_capability.h"
#include "platform/hosts/start_up.h"
#include "platform/hosts/ui_language.h"
#include "platform/kernel32/resource_lookup.h"

namespace {

// The string that holds each language's alphabet.
constexpr int kAlphabetString = 16;

int RunHeadless(const platform::CommandLine& c) {
    platform::HeadlessOptions options;
    options.startTick = c.startTick;
    options.shotsDir = c.shots;
    options.until = c.until;
    options.trace = c.trace;
    if (!c.script.empty()) {
        platform::ScriptResult parsed = platform::ReadScriptFile(c.script);
        if (!parsed.error.empty()) {
            std::cerr << "quillby: script " << platform::Printable(c.script, 1000) << " "
                      << parsed.error << "\n";
            return 2;
        }
        options.script = std::move(parsed.events);
    }
    auto backend = std::make_unique<platform::HeadlessBackend>(std::move(options), std::cout);
    platform::HeadlessBackend* headless = backend.get();
    platform::ProgramStart start;
    start.commandLine = c.line;
    start.language = c.uiLanguage;
    // A screenshot that could not be written fails a run that otherwise went well.
    start.ended = [headless](int code) {
        platform::ReportIfNoWindow(code, "the headless display refused it");
        bool shotFailed = headless->failed();
        std::cout.flush();
        return shotFailed && code == 0 ? 1 : code;
    };
    return platform::RunProgram(WinMain, std::move(backend), start);
}

}  // namespace

int main(int argc, char** argv) {
    platform::CommandLine c =
        platform::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (c.error.empty()) {
        // The alphabet's string says which languages there are. A headless run is English
        // unless told otherwise, whatever the machine's language.
        bool system = !c.headless && platform::HasDesktop();
        platform::LanguageChoice choice = platform::ChooseLanguage(
            c.language, platform::StringLanguages(kAlphabetString),
            system ? platform::LocalesFromEnvironment(std::getenv) : std::vector<std::string>());
        c.error = choice.error;
        c.uiLanguage = choice.language;
    }
    if (!c.error.empty()) {
        std::cerr << "quillby: " << c.error << "\n";
        return 2;
    }
    if (c.help) {
        std::cout << platform::UsageText();
        return 0;
    }
    if (c.version) {
        std::cout << "quillby " << QUILLBY_VERSION << "\n";
        return 0;
    }
    if (c.headless || !platform::HasDesktop()) return RunHeadless(c);
    return platform::RunDesktop(c);
}
