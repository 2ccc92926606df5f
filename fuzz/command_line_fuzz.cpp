// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The executable's command line: the input is its arguments, each ended by a NUL byte.
#include <string>
#include <vector>

#include "fuzz/check.h"
#include "platform/hosts/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> args;
    std::string text(reinterpret_cast<const char*>(data), size);
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find('\0', at);
        if (end == std::string::npos) end = text.size();
        args.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    platform::CommandLine c = platform::ParseCommandLine(args);
    if (!c.error.empty()) {
        Check(IsOnePrintableLine(c.error), "a problem is not one printable line");
        return 0;
    }
    Check(!c.shots.empty(), "screenshots would go to the root folder");
    Check(c.scale >= 0 && c.scale <= 16, "a scale out of range is accepted");
    Check(!c.headless || (!c.scale && !c.fullscreen), "a headless run is given a window's size");
    Check(c.headless || (c.script.empty() && !c.until && !c.trace),
          "a headless option is accepted for a window");
    return 0;
}
