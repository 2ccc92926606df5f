// The desktop host, where the build has one.
#pragma once

#include "platform/command_line.h"

namespace platform {

bool HasDesktop();
// Runs the program in a desktop window; the process's exit code.
int RunDesktop(const CommandLine& c);

}  // namespace platform
