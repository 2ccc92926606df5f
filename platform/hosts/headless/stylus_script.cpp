// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Reading the headless backend's stylus script (what it is for and cannot do: stylus_script.h).
#include "platform/hosts/headless/stylus_script.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/formats/printable.h"

namespace platform {
namespace {

// Everything the C library counts as white space separates words, so a line of form feeds
// is as blank as a line of spaces.
bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    for (size_t at = 0; at < line.size();) {
        if (IsSpace(line[at])) {
            ++at;
            continue;
        }
        size_t end = at;
        while (end < line.size() && !IsSpace(line[end])) ++end;
        words.push_back(line.substr(at, end - at));
        at = end;
    }
    return words;
}

std::string Quote(const std::string& word) {
    return "'" + Printable(word) + "'";
}

bool ParseNumber(const std::string& word, long long max, long long& out) {
    if (word.empty() || word.size() > 10) return false;
    for (char c : word)
        if (c < '0' || c > '9') return false;
    out = std::stoll(word);
    return out <= max;
}

// Returns what is wrong with a shot's name, or "".
std::string NameProblem(const std::string& name) {
    if (name.size() > kMaxShotNameLength)
        return "shot name " + Quote(name) + " is too long (at most " +
               std::to_string(kMaxShotNameLength) + " characters)";
    bool ok = name[0] != '.';
    for (char c : name)
        ok = ok && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                    c == '-' || c == '_' || c == '.');
    if (!ok)
        return "shot name " + Quote(name) +
               " may hold only letters, digits, '-', '_' and '.', and not start with '.'";
    return "";
}

// Parses the words of one line that holds something; returns the problem, or "" when good.
std::string ParseLine(const std::vector<std::string>& w, uint32_t previousMs, ScriptEvent& event) {
    long long ms = 0;
    if (!ParseNumber(w[0], UINT32_MAX, ms))
        return "expected a time in milliseconds, got " + Quote(w[0]);
    if (ms > kLatestEventMs)
        return "time " + w[0] + " is too late: the run goes on " +
               std::to_string(kRunAfterLastEventMs) + " ms after its last line, so " +
               std::to_string(kLatestEventMs) + " is the latest";
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
        if (std::string problem = NameProblem(w[2]); !problem.empty()) return problem;
        event.kind = ScriptEvent::Kind::Shot;
        event.name = w[2];
    } else if (verb == "close") {
        if (w.size() != 2) return "close takes nothing more";
        event.kind = ScriptEvent::Kind::Close;
    } else {
        return "unknown action " + Quote(verb) + " (expected down, up, shot or close)";
    }
    return "";
}

enum class LineRead { Line, End, TooLong, TooMuch };

// Hands out a stream's lines, without their line feeds, a block at a time; refuses a line
// longer than kMaxScriptLineBytes and one that takes the script past kMaxScriptBytes.
class LineReader {
  public:
    explicit LineReader(std::istream& in) : in_(in) {}

    LineRead Next(std::string& line) {
        line.clear();
        bool any = false;
        for (;;) {
            if (at_ == block_.size() && !Fill()) return any ? Finish(line, 0) : LineRead::End;
            any = true;
            size_t end = std::min(block_.find('\n', at_), block_.size());
            line.append(block_, at_, end - at_);
            at_ = end;
            if (line.size() > kMaxScriptLineBytes) return LineRead::TooLong;
            if (at_ < block_.size()) {
                ++at_;  // the line feed
                return Finish(line, 1);
            }
        }
    }

  private:
    bool Fill() {
        block_.resize(64 * 1024);
        in_.read(block_.data(), std::streamsize(block_.size()));
        block_.resize(size_t(in_.gcount()));
        at_ = 0;
        return !block_.empty();
    }
    LineRead Finish(const std::string& line, size_t lineFeed) {
        read_ += line.size() + lineFeed;
        return read_ > kMaxScriptBytes ? LineRead::TooMuch : LineRead::Line;
    }

    std::istream& in_;
    std::string block_;
    size_t at_ = 0;
    size_t read_ = 0;
};

}  // namespace

ScriptResult ParseScript(std::istream& in) {
    ScriptResult result;
    auto fail = [&](int number, const std::string& problem) {
        result.error = "line " + std::to_string(number) + ": " + problem;
        result.events.clear();
        return result;
    };
    LineReader lines(in);
    std::string line;
    uint32_t previous = 0;
    for (int number = 1;; ++number) {
        LineRead read = lines.Next(line);
        if (read == LineRead::End) break;
        if (read == LineRead::TooLong)
            return fail(number,
                        "longer than " + std::to_string(kMaxScriptLineBytes) + " characters");
        if (read == LineRead::TooMuch)
            return fail(number, "the script is larger than " +
                                    std::to_string(kMaxScriptBytes >> 20) + " MB");
        if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::vector<std::string> words = Words(line);
        if (words.empty()) continue;
        ScriptEvent event;
        if (std::string problem = ParseLine(words, previous, event); !problem.empty())
            return fail(number, problem);
        previous = event.ms;
        result.events.push_back(event);
    }
    return result;
}

ScriptResult ReadScriptFile(const std::string& path) {
    ScriptResult result;
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        result.error =
            std::filesystem::exists(path, error) ? "is not a regular file" : "does not exist";
        return result;
    }
    try {
        std::ifstream in(path, std::ios::binary);
        if (in) return ParseScript(in);
    } catch (const std::exception&) {
        // The standard file buffer throws when the system fails a read.
    }
    result.error = "cannot be read";
    return result;
}

}  // namespace platform
