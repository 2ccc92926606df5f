// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The C++ table a resource script becomes, and the bitmap file header a resource compiler drops.
#include <cstdio>
#include <map>
#include <sstream>

#include "platform/tools/resource_script.h"

namespace platform {
namespace {

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

std::string ResourceTableSource(const ResourceScript& script,
                                const std::vector<std::vector<uint8_t>>& contents,
                                const std::string& scriptName) {
    std::ostringstream out;
    out << "// Made by rc_compile from " << scriptName
        << "; do not edit.\n#include \"platform/kernel32/resource_table.h\"\n\nnamespace platform "
           "{\nnamespace {\n";
    // A picture every language shares (an apple is an apple) is stored once: each later
    // resource with the same bytes points at the first one's.
    std::map<std::vector<uint8_t>, size_t> stored;
    std::vector<size_t> data(script.resources.size());
    for (size_t i = 0; i < script.resources.size(); ++i) {
        const std::vector<uint8_t>& bytes = contents.at(i);
        auto [first, added] = stored.emplace(bytes, i);
        data[i] = first->second;
        if (!added) continue;
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
        out << "    {" << typeId << ", " << typeName << ", " << r.id << ", " << r.language << ", r"
            << data[i] << ", s" << data[i] << "},\n";
    }
    if (script.resources.empty()) out << "    {0, nullptr, 0, 0, nullptr, 0},\n";
    out << "};\nconst size_t kResourceCount = " << script.resources.size()
        << ";\n\nconst StringEntry kStrings[] = {\n";
    for (auto& [key, text] : script.strings)
        out << "    {" << key.second << ", " << key.first << ", " << WideLiteral(text) << "},\n";
    if (script.strings.empty()) out << "    {0, 0, nullptr},\n";
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
