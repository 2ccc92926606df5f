// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The headless backend's script: what the stylus does, and when, in virtual milliseconds.
// Depends on: the C++ library alone. Cannot: express more than one stylus, or any other input
// (a close is the window's close box).
#pragma once

#include <cstddef>
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

// Without --until, a run goes on this long after the script's last line...
constexpr uint32_t kRunAfterLastEventMs = 1000;
// ...so that no line may come later than this, or the run's end would wrap round.
constexpr uint32_t kLatestEventMs = UINT32_MAX - kRunAfterLastEventMs;
// Limits that keep a hostile script from filling the memory.
constexpr size_t kMaxScriptBytes = size_t(64) << 20;
constexpr size_t kMaxScriptLineBytes = 4096;
constexpr size_t kMaxShotNameLength = 100;

// Lines: "MS down X Y", "MS up X Y", "MS shot NAME", "MS close"; "#" starts a comment, and a
// line of nothing but white space is blank. Times never go backwards and stop at
// kLatestEventMs; positions are 0..65535; names are letters, digits, '-', '_', '.'. Problems
// quote the script's words with control characters escaped and long words shortened.
ScriptResult ParseScript(std::istream& in);

// Reads the script file at `path`. Refuses at once what is not a regular file (a folder, a
// device, a pipe); the error is then "is not a regular file", "does not exist" or "cannot be
// read", to follow the file's name.
ScriptResult ReadScriptFile(const std::string& path);

}  // namespace platform
