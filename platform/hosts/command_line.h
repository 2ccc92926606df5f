// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The host's command line, read before the program's own entry point runs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct CommandLine {
    bool headless = false;
    bool help = false;
    bool version = false;
    std::string script;  // headless: the stylus script
    uint32_t startTick = 0;
    bool startTickGiven = false;
    std::string shots = ".";
    std::optional<uint32_t> until;
    bool trace = false;
    int scale = 0;  // desktop: 0 picks the largest that fits
    bool fullscreen = false;
    bool speak = false;            // say the letters and the pictures' words aloud
    std::string language;          // --language's code, as given (ChooseLanguage reads it)
    uint16_t uiLanguage = 0x0409;  // the language the host chose to start in
    std::wstring line;             // the whole command line, as GetCommandLineW gives it
    std::string error;             // one line for stderr when the command line is wrong
};

CommandLine ParseCommandLine(const std::vector<std::string>& args);
// The options, one a line; `withHeadless` false leaves out the headless run and its options,
// for a build that has none.
std::string UsageText(bool withHeadless = true);
// The program's name and `args` in one line, each argument quoted where Windows would need it,
// from UTF-8 (a byte that is none becomes U+FFFD): what GetCommandLineW gives on Windows.
std::wstring WindowsCommandLine(const std::vector<std::string>& args);

}  // namespace platform
