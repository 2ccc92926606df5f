// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The headless backend's script: what the stylus does, and when, in virtual milliseconds.
// Depends on: the C++ library alone. Cannot: express more than one stylus, or any other input
// (a close is the window's close box).
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace platform {

struct ScriptEvent {
    enum class Kind { Down, Up, Shot, Close };
    uint32_t ms = 0;  // since the start of the run
    Kind kind = Kind::Down;
    int x = 0, y = 0;
    std::string name;  // for a shot
};

struct ScriptResult {
    std::vector<ScriptEvent> events;
    std::string error;  // "line N: problem"; empty when the script is good
};

// Lines: "MS down X Y", "MS up X Y", "MS shot NAME", "MS close"; "#" starts a comment.
// Times never go backwards; positions are 0..65535; names are letters, digits, '-', '_', '.'.
ScriptResult ParseScript(std::istream& in);

}  // namespace platform
