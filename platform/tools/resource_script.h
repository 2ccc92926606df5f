// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// A Windows resource script as far as the program's own uses it, read into a list of resources
// and a string table, and turned into the C++ table the program links (resource_table.h).
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

// A language as Windows numbers it (MAKELANGID): the primary language in the low ten bits, the
// sub-language above. 0x0409 is English (United States); 0 is language-neutral.
using LanguageId = uint16_t;

struct ScriptedResource {
    int id = 0;  // 1..65535
    LanguageId language = 0;
    std::string type;  // BITMAP, ICON, RCDATA or a named type such as WAVE, in capitals
    std::string path;  // as written, relative to the script's folder
    int line = 0;      // where the script names it
};

struct ResourceScript {
    std::vector<ScriptedResource> resources;  // in the script's order
    // (language, id 0..65535): text, never holding a NUL.
    std::map<std::pair<LanguageId, int>, std::u32string> strings;
    std::string error;  // "NAME:LINE: problem"; empty when it is good
};

// Understands: `ID TYPE "path"` lines; one or more STRINGTABLE blocks (BEGIN or {, then
// `ID "text"` lines, then END or }); `LANGUAGE primary, sub` lines (numbers), which set the
// language of what follows, or between a STRINGTABLE and its BEGIN that table's alone (before
// any, a script is language-neutral); lines starting with '#' (preprocessor
// lines, such as #pragma code_page); // comments. Keywords and types are read without regard
// to case. In a string, "" is a quote and \n, \t, \\ and \xHHHH (one to four hex digits) are
// escapes; the text must be UTF-8 and name only Unicode scalar values other than NUL. `name`
// is the script's name for the problems.
ResourceScript ParseResourceScript(std::string_view text, const std::string& name);

// The C++ source of the resource table: `contents[i]` are the bytes of `script.resources[i]` as
// they are to be stored. Bitmaps should already have lost their file header (see
// StripBitmapFileHeader).
std::string ResourceTableSource(const ResourceScript& script,
                                const std::vector<std::vector<uint8_t>>& contents,
                                const std::string& scriptName);

// A resource compiler stores a bitmap without its 14-byte file header; false when `bytes` is
// no BMP file.
bool StripBitmapFileHeader(std::vector<uint8_t>& bytes);

}  // namespace platform
