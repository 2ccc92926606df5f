// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Reading the headless backend's stylus script (what it is for and cannot do: stylus_script.h).
#include "platform/headless/stylus_script.h"

#include <sstream>

namespace platform {
namespace {

bool ParseNumber(const std::string& word, long long max, long long& out) {
    if (word.empty() || word.size() > 10) return false;
    for (char c : word)
        if (c < '0' || c > '9') return false;
    out = std::stoll(word);
    return out <= max;
}

bool IsSafeName(const std::string& name) {
    if (name.empty() || name.size() > 100 || name[0] == '.') return false;
    for (char c : name) {
        bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                  c == '-' || c == '_' || c == '.';
        if (!ok) return false;
    }
    return true;
}

// Parses one line that holds something; returns the problem, or "" when it is good.
std::string ParseLine(const std::string& text, uint32_t previousMs, ScriptEvent& event) {
    std::istringstream words(text);
    std::vector<std::string> w;
    for (std::string word; words >> word;) w.push_back(word);
    long long ms = 0;
    if (!ParseNumber(w[0], 0xFFFFFFFFLL, ms))
        return "expected a time in milliseconds, got '" + w[0] + "'";
    if (uint32_t(ms) < previousMs) return "time " + w[0] + " is earlier than the line before";
    event.ms = uint32_t(ms);
    if (w.size() < 2) return "expected down, up, shot or close after the time";
    const std::string& verb = w[1];
    if (verb == "down" || verb == "up") {
        long long x = 0, y = 0;
        if (w.size() != 4) return verb + " takes X and Y";
        if (!ParseNumber(w[2], 65535, x) || !ParseNumber(w[3], 65535, y))
            return "position must be two whole numbers from 0 to 65535";
        event.kind = verb == "down" ? ScriptEvent::Kind::Down : ScriptEvent::Kind::Up;
        event.x = int(x);
        event.y = int(y);
    } else if (verb == "shot") {
        if (w.size() != 3) return "shot takes one NAME";
        if (!IsSafeName(w[2]))
            return "shot name '" + w[2] + "' may hold only letters, digits, '-', '_' and '.'";
        event.kind = ScriptEvent::Kind::Shot;
        event.name = w[2];
    } else if (verb == "close") {
        if (w.size() != 2) return "close takes nothing more";
        event.kind = ScriptEvent::Kind::Close;
    } else {
        return "unknown action '" + verb + "' (expected down, up, shot or close)";
    }
    return "";
}

}  // namespace

ScriptResult ParseScript(std::istream& in) {
    ScriptResult result;
    std::string line;
    uint32_t previous = 0;
    for (int number = 1; std::getline(in, line); ++number) {
        if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        ScriptEvent event;
        std::string problem = ParseLine(line, previous, event);
        if (!problem.empty()) {
            result.error = "line " + std::to_string(number) + ": " + problem;
            result.events.clear();
            return result;
        }
        previous = event.ms;
        result.events.push_back(event);
    }
    return result;
}

}  // namespace platform
