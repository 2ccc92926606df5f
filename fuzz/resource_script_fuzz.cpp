// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The resource script's reader, and the C++ table it makes of what it accepts.
#include <set>
#include <string>
#include <tuple>
#include <utility>

#include "fuzz/check.h"
#include "platform/tools/resource_script.h"

namespace {

// The made table must compile: it is printable ASCII throughout, whatever the strings held
// (they become universal character names).
void CheckTable(const std::string& table) {
    for (unsigned char c : table)
        Check(c == '\n' || (c >= 0x20 && c < 0x7F), "the table holds unprintable bytes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    platform::ResourceScript script = platform::ParseResourceScript(text, "fuzz.rc");
    if (!script.error.empty()) {
        Check(script.resources.empty() && script.strings.empty(),
              "a refused script still gives resources");
        Check(script.error.rfind("fuzz.rc:", 0) == 0, "a problem does not name the script");
        Check(IsOnePrintableLine(script.error), "a problem is not one printable line");
        return 0;
    }
    std::set<std::tuple<std::string, int, platform::LanguageId>> seen;
    for (const platform::ScriptedResource& r : script.resources) {
        Check(r.id >= 1 && r.id <= 65535, "a resource id is out of range");
        Check(seen.insert({r.type, r.id, r.language}).second,
              "a resource is defined twice in one language");
        Check(!r.type.empty() && r.type.find_first_not_of(
                                     "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_") == std::string::npos,
              "a type could not be written as a C++ literal");
        Check(!r.path.empty(), "a resource has no path");
    }
    for (const auto& [key, string] : script.strings) {
        int id = key.second;
        Check(id >= 0 && id <= 65535, "a string id is out of range");
        for (char32_t c : string)
            Check(c != 0 && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF),
                  "a string holds what is no character");
    }
    CheckTable(platform::ResourceTableSource(
        script, std::vector<std::vector<uint8_t>>(script.resources.size()), "fuzz.rc"));
    return 0;
}
