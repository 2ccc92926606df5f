// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// shell32 as the program uses it: a command line split into its arguments.
#pragma once

#include "shell/winapi/windef.h"

// The arguments of `commandLine` as Windows splits them, the program's name first, in one block
// of local memory that the caller frees with LocalFree; null when argumentCount is.
LPWSTR* CommandLineToArgvW(LPCWSTR commandLine, int* argumentCount);
