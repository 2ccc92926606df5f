// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Turns a Windows resource script into a C++ table linked into the program, for hosts without
// a resource compiler: `rc_compile SCRIPT.rc OUTPUT.cpp`. Paths are relative to the script's
// folder; bitmaps lose their file header, as a resource compiler stores them. A problem is
// one line naming the script and its line, exit code 1, and no output file.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/printable.h"
#include "platform/tools/resource_script.h"

namespace {

std::string output;  // removed on failure, so that no build goes on with a stale table

[[noreturn]] void Fail(const std::string& message) {
    std::cerr << "rc_compile: " << message << "\n";
    std::error_code ignored;
    if (!output.empty()) std::filesystem::remove(output, ignored);
    std::exit(1);
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

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: rc_compile SCRIPT.rc OUTPUT.cpp\n";
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
    for (const platform::ScriptedResource& r : parsed.resources) {
        std::string path = folder + r.path;
        std::string where =
            name + ":" + std::to_string(r.line) + ": '" + platform::Printable(path, 1000) + "'";
        std::vector<uint8_t> bytes;
        if (!ReadFile(path, bytes, problem)) Fail(where + problem);
        if (r.type == "BITMAP" && !platform::StripBitmapFileHeader(bytes))
            Fail(where + " is not a BMP file");
        contents.push_back(std::move(bytes));
    }
    std::string table = platform::ResourceTableSource(
        parsed, contents, platform::Printable(script.substr(script.find_last_of('/') + 1)));

    std::vector<uint8_t> previous;
    if (ReadFile(output, previous, problem) &&
        std::string(previous.begin(), previous.end()) == table)
        return 0;  // untouched output: no rebuild
    // Written whole under another name first, so that a build never sees half a table.
    std::string partial = output + ".partial";
    std::error_code error;
    if (!(std::ofstream(partial, std::ios::binary) << table).flush())
        error = std::make_error_code(std::errc::io_error);
    if (!error) std::filesystem::rename(partial, output, error);
    if (error) {
        std::filesystem::remove(partial, error);
        Fail(platform::Printable(output, 1000) + " cannot be written");
    }
    return 0;
}
