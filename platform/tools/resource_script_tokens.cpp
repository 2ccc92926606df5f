// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "platform/tools/resource_script_tokens.h"

#include "platform/formats/printable.h"

namespace platform {
namespace {

void AppendUtf8(char32_t code, std::string& out) {
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

// Reads the string that opens at line[at] == '"' and moves `at` past it; returns the problem,
// or "". \x escapes come back as UTF-8, so that every string goes through one decoder.
std::string ReadString(std::string_view line, size_t& at, std::string& out) {
    for (++at; at < line.size(); ++at) {
        char c = line[at];
        if (c == '"') {
            if (at + 1 < line.size() && line[at + 1] == '"') {
                out += '"';
                ++at;
                continue;
            }
            ++at;
            return "";
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++at == line.size()) break;
        char e = line[at];
        if (e == 'n') {
            out += '\n';
        } else if (e == 't') {
            out += '\t';
        } else if (e == '\\') {
            out += '\\';
        } else if (e == 'x') {
            char32_t code = 0;
            int digits = 0;
            for (; digits < 4 && at + 1 < line.size() && HexDigit(line[at + 1]) >= 0; ++digits)
                code = code * 16 + char32_t(HexDigit(line[++at]));
            if (digits == 0) return "\\x needs one to four hex digits";
            if (code == 0) return "a string may not hold \\x0 (it would end the string)";
            if (code >= 0xD800 && code <= 0xDFFF)
                return "\\x" + std::string(line.substr(at + 1 - digits, digits)) +
                       " is half of a surrogate pair, not a character";
            AppendUtf8(code, out);
        } else {
            return "unknown escape " + Quote(std::string{'\\', e}) +
                   " (known: \\n, \\t, \\\\, \\xHHHH and \"\" for a quote)";
        }
    }
    return "unterminated string";
}

}  // namespace

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string Quote(std::string_view text) {
    return "'" + Printable(text) + "'";
}

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return text;
}

// Splits a line into words, quoted strings and commas, up to a // comment.
std::string Tokenize(std::string_view line, std::vector<Token>& tokens) {
    auto commentAt = [&](size_t at) { return line.substr(at, 2) == "//"; };
    for (size_t at = 0; at < line.size();) {
        char c = line[at];
        if (IsSpace(c)) {
            ++at;
        } else if (commentAt(at)) {
            break;
        } else if (c == ',') {
            tokens.push_back({Token::Kind::Comma, ","});
            ++at;
        } else if (c == '"') {
            Token token{Token::Kind::String, ""};
            if (std::string problem = ReadString(line, at, token.text); !problem.empty())
                return problem;
            tokens.push_back(std::move(token));
        } else {
            size_t end = at;
            while (end < line.size() && !IsSpace(line[end]) && line[end] != '"' &&
                   line[end] != ',' && !commentAt(end))
                ++end;
            tokens.push_back({Token::Kind::Word, std::string(line.substr(at, end - at))});
            at = end;
        }
    }
    return "";
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF, no NUL.
bool DecodeUtf8(const std::string& text, std::u32string& out) {
    for (size_t i = 0; i < text.size();) {
        unsigned char c = text[i];
        int extra = c < 0x80                 ? 0
                    : c >= 0xC2 && c <= 0xDF ? 1
                    : c >= 0xE0 && c <= 0xEF ? 2
                    : c >= 0xF0 && c <= 0xF4 ? 3
                                             : -1;
        if (extra < 0 || text.size() - i <= size_t(extra)) return false;
        char32_t code = extra ? c & (0x3F >> extra) : c;
        for (int k = 1; k <= extra; ++k) {
            unsigned char next = text[i + k];
            if ((next & 0xC0) != 0x80) return false;
            code = code << 6 | (next & 0x3F);
        }
        static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
        if (code == 0 || code < kSmallest[extra] || code > 0x10FFFF ||
            (code >= 0xD800 && code <= 0xDFFF))
            return false;
        out += code;
        i += size_t(extra) + 1;
    }
    return true;
}

}  // namespace platform
