// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "platform/tools/resource_script.h"

#include <cstdio>
#include <set>
#include <sstream>

#include "platform/formats/printable.h"

namespace platform {
namespace {

struct Token {
    enum class Kind { Word, String, Comma };
    Kind kind;
    std::string text;  // a word as written; a string's bytes once its escapes are undone
};

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

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
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

// A whole number from `low` to 65535, digits only.
bool ReadId(const Token& token, int low, int& id) {
    if (token.kind != Token::Kind::Word || token.text.empty() || token.text.size() > 5)
        return false;
    id = 0;
    for (char c : token.text) {
        if (c < '0' || c > '9') return false;
        id = id * 10 + (c - '0');
    }
    return id >= low && id <= 65535;
}

bool IsTypeName(const std::string& word) {
    if (word.empty() || (word[0] >= '0' && word[0] <= '9')) return false;
    for (char c : word)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
              c == '_'))
            return false;
    return true;
}

// Types a resource compiler stores under a number of its own, in a form of its own; of them
// the table knows BITMAP, ICON and RCDATA.
bool IsUnsupportedPredefinedType(const std::string& type) {
    static const std::set<std::string> kOthers = {
        "ACCELERATORS", "ANICURSOR", "ANIICON",     "CURSOR",      "DIALOG",      "DIALOGEX",
        "DLGINCLUDE",   "FONT",      "FONTDIR",     "HTML",        "MENU",        "MENUEX",
        "MESSAGETABLE", "PLUGPLAY",  "STRINGTABLE", "TEXTINCLUDE", "VERSIONINFO", "VXD"};
    return kOthers.count(type) > 0;
}

class Parser {
  public:
    explicit Parser(std::string name) : name_(std::move(name)) {}

    ResourceScript Run(std::string_view text) {
        for (size_t start = 0; start <= text.size() && script_.error.empty(); ++line_) {
            size_t end = text.find('\n', start);
            if (end == std::string_view::npos) end = text.size();
            Line(text.substr(start, end - start));
            start = end + 1;
        }
        if (script_.error.empty() && state_ != State::Outside)
            Fail(tableLine_, "this STRINGTABLE has no END");
        if (!script_.error.empty()) {
            script_.resources.clear();
            script_.strings.clear();
        }
        return std::move(script_);
    }

  private:
    enum class State { Outside, AwaitingBegin, InTable };

    void Fail(int line, const std::string& problem) {
        if (script_.error.empty())
            script_.error = name_ + ":" + std::to_string(line) + ": " + problem;
    }

    void Line(std::string_view text) {
        size_t first = 0;
        while (first < text.size() && IsSpace(text[first])) ++first;
        if (first < text.size() && text[first] == '#') return;  // a preprocessor line
        std::vector<Token> tokens;
        if (std::string problem = Tokenize(text, tokens); !problem.empty())
            return Fail(line_, problem);
        if (tokens.empty()) return;
        std::string keyword = tokens[0].kind == Token::Kind::Word ? Upper(tokens[0].text) : "";
        bool begin = keyword == "BEGIN" || keyword == "{";
        bool end = keyword == "END" || keyword == "}";
        if (keyword == "LANGUAGE" && state_ != State::InTable) return;
        if (keyword == "STRINGTABLE" || begin || end) {
            if (tokens.size() > 1) return Fail(line_, keyword + " stands alone on its line");
            if (keyword == "STRINGTABLE" && state_ == State::Outside) {
                state_ = State::AwaitingBegin;
                tableLine_ = line_;
            } else if (begin && state_ == State::AwaitingBegin) {
                state_ = State::InTable;
            } else if (end && state_ == State::InTable) {
                state_ = State::Outside;
            } else {
                Fail(line_, "unexpected " + keyword);
            }
            return;
        }
        if (state_ == State::AwaitingBegin)
            return Fail(line_, "expected BEGIN after the STRINGTABLE of line " +
                                   std::to_string(tableLine_));
        if (state_ == State::InTable)
            String(tokens);
        else
            Resource(tokens);
    }

    // `ID "text"`, or `ID, "text"`.
    void String(std::vector<Token>& tokens) {
        int id = 0;
        if (!ReadId(tokens[0], 0, id))
            return Fail(line_,
                        "expected a string id from 0 to 65535, got " + Quote(tokens[0].text));
        size_t at = tokens.size() > 1 && tokens[1].kind == Token::Kind::Comma ? 2 : 1;
        if (at >= tokens.size() || tokens[at].kind != Token::Kind::String)
            return Fail(line_, "expected a quoted string after the id");
        if (at + 1 < tokens.size())
            return Fail(line_, "unexpected " + Quote(tokens[at + 1].text) + " after the string");
        std::u32string text;
        if (!DecodeUtf8(tokens[at].text, text))
            return Fail(line_, "the string is not valid UTF-8 (or holds a NUL)");
        if (auto [it, added] = stringLines_.emplace(id, line_); !added)
            return Fail(line_, "string " + std::to_string(id) + " is already defined on line " +
                                   std::to_string(it->second));
        script_.strings[id] = std::move(text);
    }

    // `ID TYPE "path"`.
    void Resource(std::vector<Token>& tokens) {
        ScriptedResource r;
        r.line = line_;
        if (!ReadId(tokens[0], 1, r.id))
            return Fail(line_,
                        "expected a resource id from 1 to 65535, got " + Quote(tokens[0].text));
        if (tokens.size() < 2 || tokens[1].kind != Token::Kind::Word)
            return Fail(line_, "expected a type after the id, such as BITMAP");
        r.type = Upper(tokens[1].text);
        if (!IsTypeName(r.type))
            return Fail(line_,
                        "type " + Quote(tokens[1].text) + " may hold only letters, digits and '_'");
        if (IsUnsupportedPredefinedType(r.type))
            return Fail(line_, "type " + r.type +
                                   " is not supported (BITMAP, ICON, RCDATA or "
                                   "a named type are)");
        if (tokens.size() < 3 || tokens[2].kind != Token::Kind::String)
            return Fail(line_, "expected a quoted path after the type");
        if (tokens.size() > 3)
            return Fail(line_, "unexpected " + Quote(tokens[3].text) + " after the path");
        r.path = tokens[2].text;
        std::u32string decoded;
        if (r.path.empty()) return Fail(line_, "the path is empty");
        if (!DecodeUtf8(r.path, decoded)) return Fail(line_, "the path is not valid UTF-8");
        for (char32_t c : decoded)
            if (c < 0x20 || c == 0x7F) return Fail(line_, "the path holds a control character");
        if (auto [it, added] = resourceLines_.emplace(std::make_pair(r.type, r.id), line_); !added)
            return Fail(line_, r.type + " " + std::to_string(r.id) +
                                   " is already defined on line " + std::to_string(it->second));
        script_.resources.push_back(std::move(r));
    }

    std::string name_;
    ResourceScript script_;
    State state_ = State::Outside;
    int line_ = 1, tableLine_ = 0;
    std::map<std::pair<std::string, int>, int> resourceLines_;
    std::map<int, int> stringLines_;
};

std::string WideLiteral(const std::u32string& text) {
    std::string out = "L\"";
    for (char32_t c : text) {
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\' && c != '?') {
            out += char(c);
        } else {
            char escaped[16];
            std::snprintf(escaped, sizeof escaped, "\\U%08X", unsigned(c));
            out += escaped;
        }
    }
    return out + "\"";
}

}  // namespace

ResourceScript ParseResourceScript(std::string_view text, const std::string& name) {
    return Parser(name).Run(text);
}

std::string ResourceTableSource(const ResourceScript& script,
                                const std::vector<std::vector<uint8_t>>& contents,
                                const std::string& scriptName) {
    std::ostringstream out;
    out << "// Made by rc_compile from " << scriptName
        << "; do not edit.\n#include \"platform/kernel32/resource_table.h\"\n\nnamespace platform "
           "{\nnamespace {\n";
    for (size_t i = 0; i < script.resources.size(); ++i) {
        const std::vector<uint8_t>& bytes = contents.at(i);
        out << "const uint8_t r" << i << "[] = {";
        for (size_t k = 0; k < bytes.size(); ++k)
            out << (k % 24 ? "" : "\n") << int(bytes[k]) << ',';
        if (bytes.empty()) out << "0";
        out << "};\nconstexpr size_t s" << i << " = " << bytes.size() << ";\n";
    }
    out << "}  // namespace\n\nconst ResourceEntry kResources[] = {\n";
    for (size_t i = 0; i < script.resources.size(); ++i) {
        const ScriptedResource& r = script.resources[i];
        int typeId = r.type == "BITMAP" ? 2 : r.type == "ICON" ? 14 : r.type == "RCDATA" ? 10 : 0;
        std::string typeName = typeId ? "nullptr" : "L\"" + r.type + "\"";
        out << "    {" << typeId << ", " << typeName << ", " << r.id << ", r" << i << ", s" << i
            << "},\n";
    }
    if (script.resources.empty()) out << "    {0, nullptr, 0, nullptr, 0},\n";
    out << "};\nconst size_t kResourceCount = " << script.resources.size()
        << ";\n\nconst StringEntry kStrings[] = {\n";
    for (auto& [id, text] : script.strings)
        out << "    {" << id << ", " << WideLiteral(text) << "},\n";
    if (script.strings.empty()) out << "    {0, nullptr},\n";
    out << "};\nconst size_t kStringCount = " << script.strings.size()
        << ";\n\n}  // namespace platform\n";
    return out.str();
}

bool StripBitmapFileHeader(std::vector<uint8_t>& bytes) {
    if (bytes.size() < 14 || bytes[0] != 'B' || bytes[1] != 'M') return false;
    bytes.erase(bytes.begin(), bytes.begin() + 14);
    return true;
}

}  // namespace platform
