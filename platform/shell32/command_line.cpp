// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// shell32: CommandLineToArgvW
// A command line split into its arguments as Windows' shell splits it, so that an argument
// reaches the program as the Windows build would see it. The arguments come in one block of
// local memory, the pointers (and a null after the last) before the strings, which the caller
// frees with a single LocalFree.
#include <cwchar>
#include <string>
#include <vector>

#include "shell/platform.h"

namespace {

bool Blank(WCHAR c) {
    return c == L' ' || c == L'\t';
}

// The program's name is a path: quoted it ends at the closing quote (what follows at once is
// the next argument), unquoted at the first blank, and its backslashes are separators, never
// escapes.
const WCHAR* ProgramName(const WCHAR* p, std::wstring& name) {
    if (*p != L'"') {
        for (; *p && !Blank(*p); ++p) name += *p;
        return p;
    }
    for (++p; *p && *p != L'"'; ++p) name += *p;
    return *p ? p + 1 : p;
}

// One argument from `p` on, to the first blank outside quotes. Quotes are taken out; a run of
// backslashes counts only before a quote, where each pair gives one backslash and one left over
// makes the quote a literal one. Two quotes inside quotes give a literal quote and close the
// quoted part, as shell32 keeps them (the C runtime since 2008 stays inside the quotes).
const WCHAR* Argument(const WCHAR* p, std::wstring& argument) {
    bool quoted = false;
    while (*p && (quoted || !Blank(*p))) {
        if (*p == L'\\') {
            size_t backslashes = 0;
            for (; *p == L'\\'; ++p) ++backslashes;
            bool beforeQuote = *p == L'"';
            argument.append(beforeQuote ? backslashes / 2 : backslashes, L'\\');
            if (beforeQuote && backslashes % 2) argument += *p++;
        } else if (*p == L'"') {
            if (quoted && p[1] == L'"') {
                argument += L'"';
                ++p;
                quoted = false;
            } else {
                quoted = !quoted;
            }
            ++p;
        } else {
            argument += *p++;
        }
    }
    return p;
}

}  // namespace

LPWSTR* CommandLineToArgvW(LPCWSTR commandLine, int* argumentCount) {
    if (!argumentCount) return nullptr;
    std::vector<std::wstring> arguments(1);
    if (!commandLine || !*commandLine) {
        // An empty line stands for the program itself: Windows gives the path of its file, here
        // the name the process was started by.
        ProgramName(GetCommandLineW(), arguments[0]);
    } else {
        const WCHAR* p = ProgramName(commandLine, arguments[0]);
        for (;;) {
            while (Blank(*p)) ++p;
            if (!*p) break;
            p = Argument(p, arguments.emplace_back());
        }
    }
    size_t pointerBytes = (arguments.size() + 1) * sizeof(LPWSTR);
    size_t chars = 0;
    for (const std::wstring& argument : arguments) chars += argument.size() + 1;
    auto* block = static_cast<BYTE*>(LocalAlloc(LMEM_FIXED, pointerBytes + chars * sizeof(WCHAR)));
    if (!block) return nullptr;
    auto* pointers = reinterpret_cast<LPWSTR*>(block);
    auto* text = reinterpret_cast<WCHAR*>(block + pointerBytes);
    for (size_t i = 0; i < arguments.size(); ++i) {
        pointers[i] = text;
        std::wmemcpy(text, arguments[i].c_str(), arguments[i].size() + 1);
        text += arguments[i].size() + 1;
    }
    pointers[arguments.size()] = nullptr;
    *argumentCount = int(arguments.size());
    return pointers;
}
