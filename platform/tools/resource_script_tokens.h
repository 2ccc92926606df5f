// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The words, quoted strings and commas of a resource script's line, and the UTF-8 its strings
// and paths must be.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct Token {
    enum class Kind { Word, String, Comma };
    Kind kind;
    std::string text;  // a word as written; a string's bytes once its escapes are undone
};

bool IsSpace(char c);
// Text in quotes, anything unprintable shown as an escape, for a problem's message.
std::string Quote(std::string_view text);
std::string Upper(std::string text);
// The value of a hex digit; -1 for anything else.
int HexDigit(char c);

// Splits a line into words, quoted strings and commas, up to a // comment; returns the problem,
// or "". A string's \x escapes come back as UTF-8, so that every string goes through one decoder.
std::string Tokenize(std::string_view line, std::vector<Token>& tokens);

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF, no NUL.
bool DecodeUtf8(const std::string& text, std::u32string& out);

}  // namespace platform
