// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "platform/hosts/command_line.h"

#include "platform/formats/printable.h"

namespace platform {
namespace {

bool ParseUnsigned(const std::string& text, uint64_t max, uint64_t& out) {
    if (text.empty() || text.size() > 10) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    out = std::stoull(text);
    return out <= max;
}

}  // namespace

std::string UsageText(bool withHeadless) {
    std::string window =
        "Usage: quillby [OPTION]...\n"
        "An alphabet game for young children.\n"
        "\n"
        "  --scale N         show the 240x320 display N times larger (default: the largest\n"
        "                    that fits the screen)\n"
        "  --fullscreen      fill the screen, the picture centred on black\n"
        "  --start-tick N    start the millisecond tick at N (it seeds the game's rounds)\n"
        "  --speak           say each letter's name and the word of each picture aloud\n"
        "                    (in English and Italian; in German, French and Spanish the\n"
        "                    letter's name alone)\n"
        "  --language CODE   play in en, de, fr, es or it: that alphabet and its pictures\n"
        "                    (default: the system's language where Quillby has it, else\n"
        "                    English; a headless run plays in English)\n";
    std::string headless =
        "  --headless        run without a window, on a virtual clock:\n"
        "    --script FILE   stylus script: 'MS down X Y', 'MS up X Y', 'MS shot NAME',\n"
        "                    'MS close' (MS: virtual milliseconds since start)\n"
        "    --shots DIR     where 'shot' writes NAME.png (default: the current folder)\n"
        "    --until MS      close the window at MS (default: 1000 ms after the last line)\n"
        "    --trace         log every copy onto the window\n";
    std::string rest =
        "  --help            show this help\n"
        "  --version         show the version\n";
    return window + (withHeadless ? headless : "") + rest;
}

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine c;
    c.line = WindowsCommandLine(args);
    bool shotsGiven = false;
    auto fail = [&](const std::string& message) {
        c.error = message;
        return c;
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        // An option's value: the next argument, never an empty one (an empty folder would
        // put the screenshots in the root folder).
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size() || args[i + 1].empty()) return false;
            out = args[++i];
            return true;
        };
        std::string v;
        uint64_t n = 0;
        if (a == "--help" || a == "-h") {
            c.help = true;
        } else if (a == "--version") {
            c.version = true;
        } else if (a == "--headless") {
            c.headless = true;
        } else if (a == "--trace") {
            c.trace = true;
        } else if (a == "--fullscreen") {
            c.fullscreen = true;
        } else if (a == "--speak") {
            c.speak = true;
        } else if (a == "--script") {
            if (!value(c.script)) return fail("--script needs a FILE");
        } else if (a == "--shots") {
            if (!value(c.shots)) return fail("--shots needs a DIR");
            shotsGiven = true;
        } else if (a == "--start-tick") {
            if (!value(v) || !ParseUnsigned(v, 0xFFFFFFFFull, n))
                return fail("--start-tick needs a whole number from 0 to 4294967295");
            c.startTick = uint32_t(n);
            c.startTickGiven = true;
        } else if (a == "--until") {
            if (!value(v) || !ParseUnsigned(v, 0xFFFFFFFFull, n))
                return fail("--until needs a whole number of milliseconds");
            c.until = uint32_t(n);
        } else if (a == "--language") {
            if (!value(c.language)) return fail("--language needs a CODE, such as de");
        } else if (a == "--scale") {
            if (!value(v) || !ParseUnsigned(v, 16, n) || n == 0)
                return fail("--scale needs a whole number from 1 to 16");
            c.scale = int(n);
        } else {
            return fail("unknown option '" + Printable(a) + "' (try --help)");
        }
    }
    bool headlessOnly = !c.script.empty() || shotsGiven || c.until || c.trace;
    if (headlessOnly && !c.headless)
        return fail("--script, --shots, --until and --trace go with --headless");
    if (c.headless && (c.scale || c.fullscreen))
        return fail("--scale and --fullscreen need a window, not --headless");
    return c;
}

namespace {

// UTF-8 as wide characters (UTF-16 where wchar_t has 16 bits); a byte that begins no character
// becomes U+FFFD.
std::wstring Wide(const std::string& text) {
    std::wstring out;
    for (size_t i = 0; i < text.size();) {
        auto lead = uint8_t(text[i]);
        size_t length = lead < 0x80 ? 1 : lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length; ++k) {
            bool follows = i + k < text.size() && (uint8_t(text[i + k]) & 0xC0) == 0x80;
            c = follows ? c << 6 | (uint8_t(text[i + k]) & 0x3F) : 0;
            if (!follows) length = 0;
        }
        constexpr char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (!length || lead > 0xF4 || c < least[length] || c > 0x10FFFF ||
            (c >= 0xD800 && c < 0xE000)) {
            out += wchar_t(0xFFFD);
            ++i;
            continue;
        }
        if (sizeof(wchar_t) == 2 && c >= 0x10000) {
            out += wchar_t(0xD800 + ((c - 0x10000) >> 10));
            c = 0xDC00 + ((c - 0x10000) & 0x3FF);
        }
        out += wchar_t(c);
        i += length;
    }
    return out;
}

}  // namespace

std::wstring WindowsCommandLine(const std::vector<std::string>& args) {
    std::wstring line = L"quillby";
    for (const std::string& a : args) {
        std::wstring wide = Wide(a);
        line += L' ';
        if (!wide.empty() && wide.find_first_of(L" \t\"") == std::wstring::npos) {
            line += wide;
            continue;
        }
        // Backslashes count only before a quote: there they are doubled, and the quote escaped.
        line += L'"';
        size_t backslashes = 0;
        for (wchar_t c : wide) {
            if (c == L'\\') {
                ++backslashes;
                continue;
            }
            line.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
            backslashes = 0;
            line += c;
        }
        line.append(2 * backslashes, L'\\');
        line += L'"';
    }
    return line;
}

}  // namespace platform
