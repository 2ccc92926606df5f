// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Turns a Windows resource script into a C++ table linked into the program, for hosts without
// a resource compiler: `rc_compile SCRIPT.rc OUTPUT.cpp [--apart FIRST-LAST PACK]`. Paths are
// relative to the script's folder; bitmaps lose their file header, as a resource compiler
// stores them. With --apart, the WAVE resources numbered FIRST to LAST go into voice files
// instead, which the program is handed at run time if at all (the page's voice): the English (or
// language-neutral) ones into PACK, each other language's beside it, named with that language's
// two-letter code (PACK voice.bin: voice-de.bin), one for every language the script has, empty
// when it has no such sounds. Each is "QVC1", then for each sound its number and its size (32
// bits each, little-endian) and its bytes. A problem is one line naming the script and its line,
// exit code 1, and no output file.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "platform/formats/printable.h"
#include "platform/hosts/ui_language.h"
#include "platform/tools/resource_script.h"

namespace {

std::string output;  // removed on failure, so that no build goes on with a stale table

[[noreturn]] void Fail(const std::string& message) {
    std::cerr << "rc_compile: " << message << "\n";
    std::error_code ignored;
    if (!output.empty()) std::filesystem::remove(output, ignored);
    std::exit(1);
}

bool ReadFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& problem);

// Writes `bytes` whole under another name first, so that a build never sees half a file.
void WriteWhole(const std::string& path, const std::string& bytes) {
    std::vector<uint8_t> previous;
    std::string problem;
    if (ReadFile(path, previous, problem) && std::string(previous.begin(), previous.end()) == bytes)
        return;  // untouched output: no rebuild
    std::string partial = path + ".partial";
    std::error_code error;
    if (!(std::ofstream(partial, std::ios::binary) << bytes).flush())
        error = std::make_error_code(std::errc::io_error);
    if (!error) std::filesystem::rename(partial, path, error);
    if (error) {
        std::filesystem::remove(partial, error);
        Fail(platform::Printable(path, 1000) + " cannot be written");
    }
}

void AppendU32(std::string& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out += char(value >> (8 * i) & 0xFF);
}

// The bytes of a regular file; the problem in `problem` otherwise.
bool ReadFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& problem) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        problem =
            std::filesystem::exists(path, error) ? " is not a regular file" : " does not exist";
        return false;
    }
    try {
        std::ifstream in(path, std::ios::binary);
        if (in) {
            bytes.assign(std::istreambuf_iterator<char>(in), {});
            if (!in.bad()) return true;
        }
    } catch (const std::exception&) {
        // The standard file buffer throws when the system fails a read.
    }
    problem = " cannot be read";
    return false;
}

// The voice file of each language the script has: PACK for English and no language, and beside
// it one for each other, named by its code. A language with no code, or whose code another
// has, is a problem, named at its first line.
std::map<platform::LanguageId, std::string> VoiceFiles(const platform::ResourceScript& script,
                                                       const std::string& pack,
                                                       const std::string& name) {
    std::map<platform::LanguageId, int> languages;  // each with the first line that has it
    for (const platform::ScriptedResource& r : script.resources)
        languages.try_emplace(r.language, r.line);
    for (auto& [key, text] : script.strings) languages.try_emplace(key.first, 0);
    std::map<platform::LanguageId, std::string> files{{0, pack}, {0x0409, pack}};
    std::map<std::string, platform::LanguageId> taken{{"en", 0x0409}};  // the page's "en" is PACK
    std::filesystem::path path(pack);
    for (auto [language, line] : languages) {
        if (files.count(language)) continue;
        std::string code = platform::CodeOfLanguage(language);
        std::string where = name + (line ? ":" + std::to_string(line) : "") + ": LANGUAGE " +
                            std::to_string(language & 0x3FF) + ", " +
                            std::to_string(language >> 10);
        if (code.empty()) Fail(where + " has no two-letter code to name its voice file by");
        if (!taken.try_emplace(code, language).second)
            Fail(where + " has the code of another language, " + code);
        files[language] =
            (path.parent_path() / (path.stem().string() + "-" + code + path.extension().string()))
                .string();
    }
    return files;
}

}  // namespace

int main(int argc, char** argv) {
    int first = 0, last = -1;
    std::string pack;
    if (argc == 6 && std::string(argv[3]) == "--apart" &&
        std::sscanf(argv[4], "%d-%d", &first, &last) == 2)
        pack = argv[5];
    if (argc != 3 && pack.empty()) {
        std::cerr << "usage: rc_compile SCRIPT.rc OUTPUT.cpp [--apart FIRST-LAST PACK]\n";
        return 1;
    }
    std::string script = argv[1];
    output = argv[2];
    std::string folder = script.substr(0, script.find_last_of('/') + 1);
    std::string name = platform::Printable(script, 1000);

    std::vector<uint8_t> text;
    std::string problem;
    if (!ReadFile(script, text, problem)) Fail(name + problem);
    platform::ResourceScript parsed = platform::ParseResourceScript(
        std::string_view(reinterpret_cast<const char*>(text.data()), text.size()), name);
    if (!parsed.error.empty()) Fail(parsed.error);

    std::vector<std::vector<uint8_t>> contents;
    std::map<platform::LanguageId, std::string> files;
    std::map<std::string, std::string> packs;  // each voice file's bytes
    if (!pack.empty()) files = VoiceFiles(parsed, pack, name);
    for (auto& [language, file] : files) packs[file] = "QVC1";
    platform::ResourceScript kept = parsed;
    kept.resources.clear();
    for (const platform::ScriptedResource& r : parsed.resources) {
        std::string path = folder + r.path;
        std::string where =
            name + ":" + std::to_string(r.line) + ": '" + platform::Printable(path, 1000) + "'";
        std::vector<uint8_t> bytes;
        if (!ReadFile(path, bytes, problem)) Fail(where + problem);
        if (r.type == "BITMAP" && !platform::StripBitmapFileHeader(bytes))
            Fail(where + " is not a BMP file");
        if (!pack.empty() && r.type == "WAVE" && r.id >= first && r.id <= last) {
            std::string& packed = packs.at(files.at(r.language));
            AppendU32(packed, uint32_t(r.id));
            AppendU32(packed, uint32_t(bytes.size()));
            packed.append(bytes.begin(), bytes.end());
            continue;
        }
        kept.resources.push_back(r);
        contents.push_back(std::move(bytes));
    }
    WriteWhole(output, platform::ResourceTableSource(
                           kept, contents,
                           platform::Printable(script.substr(script.find_last_of('/') + 1))));
    for (auto& [file, bytes] : packs) WriteWhole(file, bytes);
    return 0;
}
