// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Windows' start-up code: reads the same command line as on Linux, sets the layer up and runs
// the program's WinMain. The program is a windowed one, so Windows gives it no console of its
// own: help, the version and errors go to the output it was given (a console, a file, a pipe),
// else to the console of the command prompt that started it, else to a message box.
// Before the program looks for a running copy, the launch claims the session's first place
// (first_copy.h), so that launches in quick succession cannot all find none.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/hosts/command_line.h"
#include "platform/hosts/missing_capability.h"
#include "platform/hosts/ui_language.h"
#include "platform/hosts/win32/first_copy.h"
#include "platform/hosts/win32/layer.h"

// After <windows.h>, which it needs.
#include <shellapi.h>

namespace {

std::string Utf8(const wchar_t* text) {
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(size_t(bytes > 0 ? bytes : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), bytes, nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
}

std::wstring Wide(const std::string& text) {
    int chars = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    std::wstring out(size_t(chars > 0 ? chars : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, out.data(), chars);
    out.resize(out.size() - 1);
    return out;
}

std::vector<std::string> Arguments() {
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; argv && i < count; ++i) args.push_back(Utf8(argv[i]));
    LocalFree(argv);
    return args;
}

bool WriteTo(HANDLE out, const std::string& text) {
    if (!out || out == INVALID_HANDLE_VALUE) return false;
    DWORD mode = 0, written = 0;
    if (GetConsoleMode(out, &mode)) {
        std::wstring wide = Wide(text);
        return WriteConsoleW(out, wide.c_str(), DWORD(wide.size()), &written, nullptr);
    }
    return WriteFile(out, text.data(), DWORD(text.size()), &written, nullptr);
}

// To the output it was given, else the console of the command prompt; false when neither is.
bool Write(const std::string& text, bool error) {
    if (WriteTo(GetStdHandle(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE), text)) return true;
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return false;
    HANDLE console = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
    bool told = WriteTo(console, text);
    if (console != INVALID_HANDLE_VALUE) CloseHandle(console);
    FreeConsole();
    return told;
}

void Tell(const std::string& text, bool error) {
    if (!Write(text, error))
        MessageBoxW(nullptr, Wide(text).c_str(), L"Quillby",
                    error ? MB_ICONERROR : MB_ICONINFORMATION);
}

std::wstring ResourceString(HINSTANCE instance, UINT id) {
    WCHAR text[100] = {};
    LoadStringW(instance, id, text, 100);
    return text;
}

// The languages the program's alphabet (string 16, in the second block of sixteen) is in.
std::vector<uint16_t> AlphabetLanguages(HINSTANCE instance) {
    std::vector<uint16_t> has;
    EnumResourceLanguagesW(
        instance, RT_STRING, MAKEINTRESOURCEW(16 / 16 + 1),
        [](HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR found) -> BOOL {
            reinterpret_cast<std::vector<uint16_t>*>(found)->push_back(language);
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&has));
    // English first, as the help names them.
    std::stable_partition(has.begin(), has.end(), [](uint16_t l) { return l == 0x0409; });
    return has;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandTail, int showCommand) {
    platform::CommandLine c = platform::ParseCommandLine(Arguments());
    if (c.error.empty() && c.headless)
        c.error = "--headless runs in the Linux build; on Windows Quillby always opens a window";
    // Without --language, Windows' own loader finds the user's language or English.
    if (c.error.empty() && !c.language.empty()) {
        platform::LanguageChoice choice =
            platform::ChooseLanguage(c.language, AlphabetLanguages(instance), {});
        c.error = choice.error;
        if (choice.error.empty()) QuillbySetThreadUILanguage(choice.language);
    }
    if (!c.error.empty()) {
        Tell("quillby: " + c.error + "\n", true);
        return 2;
    }
    if (c.help) {
        Tell(platform::UsageText(/*withHeadless=*/false), false);
        return 0;
    }
    if (c.version) {
        Tell("quillby " QUILLBY_VERSION "\n", false);
        return 0;
    }
    platform::win32::Options options;
    options.scale = c.scale;
    options.fullscreen = c.fullscreen;
    if (c.startTickGiven) options.startTick = c.startTick;
    platform::win32::Configure(options);
    // The program knows a running copy by its window's class (string 3) and title (string 1).
    using platform::win32::FirstCopy;
    if (platform::win32::ClaimSession(ResourceString(instance, 3), ResourceString(instance, 1)) ==
        FirstCopy::kHung)
        // Where nobody would read it, it is not worth a box in front of the game.
        Write("quillby: the Quillby already running does not answer; opening another\n", true);
    // The program gets what Windows gave: the line past the program's name, as typed.
    int code = WinMain(instance, nullptr, commandTail, showCommand);
    platform::ReportIfNoWindow(code, "Windows gave error " + std::to_string(GetLastError()));
    return code;
}
