// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Choosing the language to start in (ui_language.h).
#include "platform/hosts/ui_language.h"

#include <algorithm>
#include <cctype>

namespace platform {
namespace {

// Each language's code and its number for the main country that speaks it (MAKELANGID of the
// primary language and SUBLANG_DEFAULT, but Spanish's modern sort).
struct KnownLanguage {
    const char* code;
    uint16_t language;
};
constexpr KnownLanguage kKnown[] = {
    {"en", 0x0409}, {"de", 0x0407}, {"fr", 0x040C}, {"es", 0x0C0A}, {"it", 0x0410},
    {"nl", 0x0413}, {"pt", 0x0816}, {"da", 0x0406}, {"sv", 0x041D}, {"nb", 0x0414},
    {"fi", 0x040B}, {"pl", 0x0415}, {"cs", 0x0405}, {"tr", 0x041F}, {"el", 0x0408},
    {"ru", 0x0419}, {"uk", 0x0422}, {"ja", 0x0411}, {"zh", 0x0804}, {"ar", 0x0401},
};

uint16_t Primary(uint16_t language) {
    return language & 0x3FF;
}

}  // namespace

std::optional<uint16_t> LanguageOfCode(std::string_view locale) {
    // The language is what comes before the territory, the character set and the modifier.
    std::string_view code = locale.substr(0, locale.find_first_of("_-.@"));
    if (code == "C" || code == "POSIX") return 0x0409;
    std::string lower(code);
    for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
    for (const KnownLanguage& k : kKnown)
        if (lower == k.code) return k.language;
    return std::nullopt;
}

std::string CodeOfLanguage(uint16_t language) {
    for (const KnownLanguage& k : kKnown)
        if (Primary(k.language) == Primary(language)) return k.code;
    return "";
}

std::optional<uint16_t> FirstOffered(const std::vector<std::string>& candidates,
                                     const std::vector<uint16_t>& has) {
    for (const std::string& locale : candidates) {
        std::optional<uint16_t> wanted = LanguageOfCode(locale);
        if (!wanted) continue;
        auto found = std::find_if(has.begin(), has.end(),
                                  [&](uint16_t l) { return Primary(l) == Primary(*wanted); });
        if (found != has.end()) return *found;
    }
    return std::nullopt;
}

std::vector<std::string> LocalesFromEnvironment(
    const std::function<const char*(const char*)>& getenv) {
    std::vector<std::string> locales;
    if (const char* list = getenv("LANGUAGE")) {
        std::string_view rest(list);
        while (!rest.empty()) {
            size_t colon = rest.find(':');
            if (std::string_view one = rest.substr(0, colon); !one.empty())
                locales.emplace_back(one);
            rest = colon == std::string_view::npos ? "" : rest.substr(colon + 1);
        }
    }
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (const char* value = getenv(name); value && *value) {
            locales.emplace_back(value);
            break;
        }
    return locales;
}

std::string CodesOf(const std::vector<uint16_t>& has) {
    std::string codes;
    for (uint16_t language : has) {
        std::string code = CodeOfLanguage(language);
        if (code.empty()) continue;
        codes += (codes.empty() ? "" : ", ") + code;
    }
    return codes;
}

LanguageChoice ChooseLanguage(const std::string& asked, const std::vector<uint16_t>& has,
                              const std::vector<std::string>& system) {
    LanguageChoice choice;
    if (asked.empty()) {
        choice.language = FirstOffered(system, has).value_or(0x0409);
        return choice;
    }
    // A code alone, as --help lists them: not a locale with a country or a character set.
    bool plain = asked.size() == 2 && std::isalpha(static_cast<unsigned char>(asked[0])) &&
                 std::isalpha(static_cast<unsigned char>(asked[1]));
    std::optional<uint16_t> found;
    if (plain) found = FirstOffered({asked}, has);
    if (found)
        choice.language = *found;
    else
        choice.error = "--language needs one of " + CodesOf(has);
    return choice;
}

}  // namespace platform
