// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// user32: CharLowerW
// Wide-string helpers the game needs beyond the C library's.
#include "shell/platform.h"

namespace {

// Windows lowers by Unicode whatever the C library's locale; the C locale's towlower knows
// A to Z only. The alphabets' letters: Latin (with Latin-1's and Latin Extended-A's accented
// letters), Greek and Cyrillic capitals, each to its small letter.
wchar_t Lower(wchar_t c) {
    if ((c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
    if (c >= 0x100 && c <= 0x17F) {
        if (c == 0x130) return L'i';  // I with a dot above
        if (c == 0x178) return 0xFF;  // Y with diaeresis
        bool evenCapitals = (c < 0x138) || (c >= 0x14A && c < 0x178);
        bool oddCapitals = (c > 0x138 && c < 0x149) || (c > 0x178 && c < 0x17F);
        if ((evenCapitals && c % 2 == 0) || (oddCapitals && c % 2 == 1)) return c + 1;
        return c;
    }
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 0x20;  // Greek
    if (c >= 0x410 && c <= 0x42F) return c + 0x20;                // Cyrillic
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;
    return c;
}

}  // namespace

LPWSTR CharLowerW(LPWSTR text) {
    // As in Windows, a pointer whose high bits are zero holds one character, not an address.
    if (IS_INTRESOURCE(text))
        return reinterpret_cast<LPWSTR>(
            ULONG_PTR(Lower(wchar_t(reinterpret_cast<ULONG_PTR>(text)))));
    for (LPWSTR p = text; *p; ++p) *p = Lower(*p);
    return text;
}
