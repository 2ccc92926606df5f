// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The language a host starts the program in: the one --language names, or the system's where
// the program has it, else English. A language is named by its two-letter code (ISO 639-1) and
// handed to the program as Windows numbers it (a LANGID), through SetThreadUILanguage.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The language of a code such as "de", or of a locale such as "de_AT.UTF-8@euro", "fr-CA"
// or "C" (English); none for a code this host does not know.
std::optional<uint16_t> LanguageOfCode(std::string_view locale);
// The two-letter code of a language ("de" for 0x0407); "" for one this host does not know.
std::string CodeOfLanguage(uint16_t language);

// The first of `candidates` (locales, in the order the system prefers them) whose language the
// program `has`, by primary language; none when it has none of them.
std::optional<uint16_t> FirstOffered(const std::vector<std::string>& candidates,
                                     const std::vector<uint16_t>& has);

// The locales the environment prefers, as gettext reads them: LANGUAGE's list (colon-separated),
// then the first set of LC_ALL, LC_MESSAGES and LANG.
std::vector<std::string> LocalesFromEnvironment(
    const std::function<const char*(const char*)>& getenv);

// "en, de, fr": the codes of `has`, for a message that names what there is.
std::string CodesOf(const std::vector<uint16_t>& has);

struct LanguageChoice {
    uint16_t language = 0x0409;
    std::string error;  // one line for stderr when the language asked for is not there
};
// The language `asked` names (--language's value) when the program has it, with an error
// naming what it has when not; else the first of the `system`'s locales it has; else English.
LanguageChoice ChooseLanguage(const std::string& asked, const std::vector<uint16_t>& has,
                              const std::vector<std::string>& system);

}  // namespace platform
