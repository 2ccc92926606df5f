// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The language the program's resources are found in, on a PC. Windows' loader reads the
// thread's UI language; Wine's reads the thread's locale instead: both are set, so that a
// language chosen with --language holds on either.
#include <windows.h>

#include "shell/platform.h"

LANGID QuillbySetThreadUILanguage(LANGID language) {
    LANGID set = ::SetThreadUILanguage(language);
    if (language) ::SetThreadLocale(MAKELCID(language, SORT_DEFAULT));
    return set;
}
