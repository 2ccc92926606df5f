// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "platform/hosts/missing_capability.h"

#include <cstdio>

#include "shell/exit_codes.h"

namespace platform {

void ReportMissing(const std::string& what, const std::string& why,
                   const std::string& consequence) {
    std::string line = "quillby: no " + what;
    if (!why.empty()) line += " (" + why + ")";
    line += "; " + consequence + "\n";
    // One write of the whole line: a report made just before the process ends is not cut.
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

void ReportIfNoWindow(int exitCode, const std::string& why) {
    if (exitCode == NoWindowExitCode) ReportMissing("window", why, "ending");
}

}  // namespace platform
