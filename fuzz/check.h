// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// What a fuzz target holds true of a parser's answer beyond "no crash": a broken promise stops
// the run like a crash, so that libFuzzer keeps the input that showed it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

inline void Check(bool holds, const char* promise) {
    if (holds) return;
    std::fprintf(stderr, "broken promise: %s\n", promise);
    std::abort();
}

// An error message the user may read: one line of printable ASCII.
inline bool IsOnePrintableLine(const std::string& text) {
    for (unsigned char c : text)
        if (c < 0x20 || c >= 0x7F) return false;
    return true;
}
