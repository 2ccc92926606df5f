// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// A resource script read line by line into its resources and string table.
#include "platform/tools/resource_script.h"

#include <set>
#include <tuple>

#include "platform/tools/resource_script_tokens.h"

namespace platform {
namespace {

// A whole number from 0 to `high`: digits, or 0x and hex digits.
bool ReadNumber(const Token& token, int high, int& value) {
    const std::string& t = token.text;
    bool hex = t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X');
    if (token.kind != Token::Kind::Word || t.empty() || t.size() > 6) return false;
    value = 0;
    for (size_t i = hex ? 2 : 0; i < t.size(); ++i) {
        int digit = HexDigit(t[i]);
        if (digit < 0 || (!hex && digit > 9)) return false;
        value = value * (hex ? 16 : 10) + digit;
    }
    return value <= high;
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
        if (keyword == "LANGUAGE" && state_ != State::InTable) return Language(tokens);
        if (keyword == "STRINGTABLE" || begin || end) {
            if (tokens.size() > 1) return Fail(line_, keyword + " stands alone on its line");
            if (keyword == "STRINGTABLE" && state_ == State::Outside) {
                state_ = State::AwaitingBegin;
                tableLine_ = line_;
                tableLanguage_ = language_;
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

    // `LANGUAGE primary, sub`: for what follows, or for the table whose BEGIN is still to come.
    void Language(const std::vector<Token>& tokens) {
        int primary = 0, sub = 0;
        if (tokens.size() != 4 || tokens[2].kind != Token::Kind::Comma ||
            !ReadNumber(tokens[1], 0x3FF, primary) || !ReadNumber(tokens[3], 0x3F, sub))
            return Fail(line_,
                        "expected LANGUAGE with a primary language (0 to 1023) and a "
                        "sub-language (0 to 63), such as LANGUAGE 9, 1");
        LanguageId language = LanguageId(sub << 10 | primary);
        (state_ == State::AwaitingBegin ? tableLanguage_ : language_) = language;
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
        std::pair key{tableLanguage_, id};
        if (auto [it, added] = stringLines_.emplace(key, line_); !added)
            return Fail(line_, "string " + std::to_string(id) + " is already defined on line " +
                                   std::to_string(it->second) + " in its language");
        script_.strings[key] = std::move(text);
    }

    // `ID TYPE "path"`.
    void Resource(std::vector<Token>& tokens) {
        ScriptedResource r;
        r.line = line_;
        r.language = language_;
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
        if (auto [it, added] = resourceLines_.emplace(std::tuple(r.type, r.id, r.language), line_);
            !added)
            return Fail(line_, r.type + " " + std::to_string(r.id) +
                                   " is already defined on line " + std::to_string(it->second) +
                                   " in its language");
        script_.resources.push_back(std::move(r));
    }

    std::string name_;
    ResourceScript script_;
    State state_ = State::Outside;
    int line_ = 1, tableLine_ = 0;
    LanguageId language_ = 0, tableLanguage_ = 0;
    std::map<std::tuple<std::string, int, LanguageId>, int> resourceLines_;
    std::map<std::pair<LanguageId, int>, int> stringLines_;
};

}  // namespace

ResourceScript ParseResourceScript(std::string_view text, const std::string& name) {
    return Parser(name).Run(text);
}

}  // namespace platform
