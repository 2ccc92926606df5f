// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// user32: CharLowerW
// Wide-string helpers the game needs beyond the C library's.
#include <cwctype>

#include "shell/platform.h"

LPWSTR CharLowerW(LPWSTR text) {
    // As in Windows, a pointer whose high bits are zero holds one character, not an address.
    if (IS_INTRESOURCE(text)) {
        return reinterpret_cast<LPWSTR>(
            ULONG_PTR(std::towlower(wint_t(reinterpret_cast<ULONG_PTR>(text)))));
    }
    for (LPWSTR p = text; *p; ++p) *p = wchar_t(std::towlower(wint_t(*p)));
    return text;
}
