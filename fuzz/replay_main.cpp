// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Replays a fuzz target's corpus: every file of the folders (or the files) named on the command
// line goes once through the target, as libFuzzer would run it. Built with the ordinary
// compiler, so the tests (plain and sanitized) see again every fault that was ever found.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

void Replay(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
    // A block of exactly the input's size, so that a read past its end shows under
    // AddressSanitizer.
    auto exact = std::make_unique<uint8_t[]>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), exact.get());
    LLVMFuzzerTestOneInput(exact.get(), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::filesystem::path> files;
    for (int i = 1; i < argc; ++i) {
        if (std::filesystem::is_directory(argv[i])) {
            for (const auto& entry : std::filesystem::directory_iterator(argv[i]))
                if (entry.is_regular_file()) files.push_back(entry.path());
        } else {
            files.push_back(argv[i]);
        }
    }
    std::sort(files.begin(), files.end());
    if (files.empty()) {
        std::cerr << "replay: no inputs (give corpus folders or files)\n";
        return 1;
    }
    for (const auto& file : files) {
        std::cout << "replaying " << file.filename().string() << std::endl;
        Replay(file);
    }
    std::cout << "replayed " << files.size() << " inputs\n";
    return 0;
}
