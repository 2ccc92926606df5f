// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Turns a Windows resource script into a C++ table linked into the program, for hosts without
// a resource compiler. Understands what the program's script uses: LANGUAGE, one resource a
// line as `ID TYPE "path"`, and a STRINGTABLE of `ID "text"` lines ("" is a quote inside a
// string, \n, \t, \\ and \xHHHH escapes work). Paths are relative to the script's folder.
// Bitmaps lose their file header, as a resource compiler stores them.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Resource {
    int id;
    std::string type;
    std::string path;
};

[[noreturn]] void Fail(const std::string& where, const std::string& what) {
    std::cerr << where << ": " << what << "\n";
    std::exit(1);
}

std::string Trim(const std::string& s) {
    size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos) return "";
    size_t b = s.find_last_not_of(" \t\r");
    return s.substr(a, b - a + 1);
}

// Reads a quoted string starting at s[at] == '"'; returns its UTF-8 bytes.
std::string Quoted(const std::string& s, size_t at, const std::string& where) {
    std::string out;
    for (size_t i = at + 1; i < s.size(); ++i) {
        char c = s[i];
        if (c == '"') {
            if (i + 1 < s.size() && s[i + 1] == '"') {
                out += '"';
                ++i;
                continue;
            }
            return out;
        }
        if (c == '\\' && i + 1 < s.size()) {
            char e = s[++i];
            if (e == 'n')
                out += '\n';
            else if (e == 't')
                out += '\t';
            else if (e == 'x') {
                unsigned code = 0;
                int digits = 0;
                while (digits < 4 && i + 1 < s.size() &&
                       std::isxdigit(static_cast<unsigned char>(s[i + 1])))
                    code = code * 16 + std::stoi(std::string(1, s[++i]), nullptr, 16), ++digits;
                // Back to UTF-8 so that every string goes through one decoder below.
                if (code < 0x80)
                    out += char(code);
                else if (code < 0x800)
                    out += char(0xC0 | (code >> 6)), out += char(0x80 | (code & 0x3F));
                else
                    out += char(0xE0 | (code >> 12)), out += char(0x80 | ((code >> 6) & 0x3F)),
                        out += char(0x80 | (code & 0x3F));
            } else
                out += e;
            continue;
        }
        out += c;
    }
    Fail(where, "unterminated string");
}

std::u32string Utf8ToCodePoints(const std::string& s, const std::string& where) {
    std::u32string out;
    for (size_t i = 0; i < s.size();) {
        unsigned char c = s[i];
        int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (extra < 0 || i + extra >= s.size() + (extra == 0)) Fail(where, "bad UTF-8 in string");
        char32_t code = extra == 0 ? c : c & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k)
            code = (code << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        out += code;
        i += extra + 1;
    }
    return out;
}

std::string WideLiteral(const std::u32string& text) {
    std::ostringstream out;
    out << "L\"";
    for (char32_t c : text) {
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\')
            out << char(c);
        else {
            char buffer[16];
            std::snprintf(buffer, sizeof buffer, "\\U%08X", unsigned(c));
            out << buffer;
        }
    }
    out << "\"";
    return out.str();
}

std::vector<unsigned char> ReadFile(const std::string& path, const std::string& where) {
    std::ifstream in(path, std::ios::binary);
    if (!in) Fail(where, "cannot read " + path);
    return std::vector<unsigned char>((std::istreambuf_iterator<char>(in)), {});
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: rc_compile SCRIPT.rc OUTPUT.cpp\n";
        return 2;
    }
    std::string script = argv[1];
    std::string folder = script.substr(0, script.find_last_of('/') + 1);
    std::ifstream in(script);
    if (!in) Fail(script, "cannot open");

    std::vector<Resource> resources;
    std::map<int, std::u32string> strings;
    bool inTable = false, inBlock = false;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        std::string where = script + ":" + std::to_string(number);
        if (auto c = line.find("//"); c != std::string::npos && line.find('"') > c) line.erase(c);
        line = Trim(line);
        if (line.empty() || line[0] == '#') continue;
        if (line.rfind("LANGUAGE", 0) == 0) continue;
        if (line == "STRINGTABLE") {
            inTable = true;
            continue;
        }
        if (inTable && (line == "BEGIN" || line == "{")) {
            inBlock = true;
            continue;
        }
        if (inTable && (line == "END" || line == "}")) {
            inTable = inBlock = false;
            continue;
        }
        std::istringstream words(line);
        std::string idText;
        words >> idText;
        int id = 0;
        try {
            id = std::stoi(idText);
        } catch (...) {
            Fail(where, "expected a numeric id");
        }
        size_t quote = line.find('"');
        if (quote == std::string::npos) Fail(where, "expected a quoted string");
        if (inBlock) {
            strings[id] = Utf8ToCodePoints(Quoted(line, quote, where), where);
            continue;
        }
        std::string type;
        words >> type;
        resources.push_back({id, type, folder + Quoted(line, quote, where)});
    }

    std::ostringstream out;
    out << "// Made by rc_compile from " << script.substr(script.find_last_of('/') + 1)
        << "; do not edit.\n#include \"platform/resource_table.h\"\n\nnamespace platform "
           "{\nnamespace {\n";
    for (size_t i = 0; i < resources.size(); ++i) {
        std::vector<unsigned char> bytes = ReadFile(resources[i].path, script);
        if (resources[i].type == "BITMAP") {
            if (bytes.size() < 14 || bytes[0] != 'B' || bytes[1] != 'M')
                Fail(resources[i].path, "not a BMP file");
            bytes.erase(bytes.begin(), bytes.begin() + 14);
        }
        out << "const uint8_t r" << i << "[] = {";
        for (size_t k = 0; k < bytes.size(); ++k)
            out << (k % 24 ? "" : "\n") << int(bytes[k]) << ',';
        if (bytes.empty()) out << "0";
        out << "};\nconstexpr size_t s" << i << " = " << bytes.size() << ";\n";
    }
    out << "}  // namespace\n\nconst ResourceEntry kResources[] = {\n";
    for (size_t i = 0; i < resources.size(); ++i) {
        const std::string& t = resources[i].type;
        int typeId = t == "BITMAP" ? 2 : t == "ICON" ? 14 : t == "RCDATA" ? 10 : 0;
        std::string name = typeId ? "nullptr" : "L\"" + t + "\"";
        out << "    {" << typeId << ", " << name << ", " << resources[i].id << ", r" << i << ", s"
            << i << "},\n";
    }
    if (resources.empty()) out << "    {0, nullptr, 0, nullptr, 0},\n";
    out << "};\nconst size_t kResourceCount = " << resources.size()
        << ";\n\nconst StringEntry kStrings[] = {\n";
    for (auto& [id, text] : strings) out << "    {" << id << ", " << WideLiteral(text) << "},\n";
    if (strings.empty()) out << "    {0, nullptr},\n";
    out << "};\nconst size_t kStringCount = " << strings.size()
        << ";\n\n}  // namespace platform\n";

    std::string text = out.str();
    std::ifstream old(argv[2]);
    std::string previous((std::istreambuf_iterator<char>(old)), {});
    if (previous != text) std::ofstream(argv[2]) << text;  // untouched output: no rebuild
    return 0;
}
