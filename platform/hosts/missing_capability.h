// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// How every backend tells the user that the host lacks something the program would use: one
// line on stderr in one shape, "quillby: no WHAT (WHY); WHAT HAPPENS INSTEAD", e.g.
// "quillby: no audio device (it was unplugged); playing silently".
#pragma once

#include <string>

namespace platform {

// Writes that line to stderr at once; an empty `why` leaves the brackets out.
void ReportMissing(const std::string& what, const std::string& why, const std::string& consequence);

// For the host, once the program's WinMain has returned `exitCode`: where the code says the
// program could not create its window (it ends at once, having nowhere to say so), the line
// "quillby: no window (WHY); ending".
void ReportIfNoWindow(int exitCode, const std::string& why);

}  // namespace platform
