// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Runs the whole program in this process on the headless backend, as `quillby --headless`
// does, and gives back its log, exit code and screenshots.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/gdi32/surface.h"

struct Session {
    std::string log;
    int exitCode = -1;
    std::filesystem::path shots;  // where `shot` lines wrote

    platform::Surface Shot(const std::string& name) const;
    // The log's lines at virtual time `ms` and after, as "MS what".
    bool Logged(const std::string& line) const;
};

// `language`: the thread's UI language the program starts in (English unless given).
Session RunSession(const std::string& script, uint32_t startTick = 0, bool trace = false,
                   std::optional<uint32_t> until = std::nullopt, bool speak = false,
                   uint16_t language = 0x0409);

// What running the program as a separate process gave.
struct Outcome {
    int code;
    std::string out;  // stdout and stderr together
};
// Runs the executable (QUILLBY_EXE) with these arguments, as a user would.
Outcome RunQuillby(const std::string& args);

// A temporary folder that is removed when it goes away.
struct ScratchFolder {
    ScratchFolder();
    ~ScratchFolder();
    std::filesystem::path path;
};
