// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The language a host starts in: the codes it knows, the system's preferences as the
// environment states them, and the first of them the program has.
#include "platform/hosts/ui_language.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

using platform::FirstOffered;
using platform::LanguageOfCode;

constexpr uint16_t English = 0x0409, German = 0x0407, French = 0x040C, Spanish = 0x0C0A,
                   Italian = 0x0410;
const std::vector<uint16_t> kHas = {English, German, French, Spanish, Italian};

TEST(UiLanguageTest, ALocaleNamesItsLanguageWhateverItsCountryCharacterSetOrModifier) {
    EXPECT_EQ(LanguageOfCode("de"), German);
    EXPECT_EQ(LanguageOfCode("de_AT.UTF-8@euro"), German);
    EXPECT_EQ(LanguageOfCode("fr-CA"), French);
    EXPECT_EQ(LanguageOfCode("ES_mx"), Spanish);
    EXPECT_EQ(LanguageOfCode("C"), English);
    EXPECT_EQ(LanguageOfCode("POSIX"), English);
    EXPECT_EQ(LanguageOfCode("C.UTF-8"), English);
    EXPECT_EQ(LanguageOfCode("xx"), std::nullopt);
    EXPECT_EQ(LanguageOfCode(""), std::nullopt);
    EXPECT_EQ(LanguageOfCode("deutsch"), std::nullopt);
    EXPECT_EQ(platform::CodeOfLanguage(0x0807), "de");  // Swiss German is German
    EXPECT_EQ(platform::CodesOf(kHas), "en, de, fr, es, it");
}

// As gettext reads them: LANGUAGE's list first, then the first of LC_ALL, LC_MESSAGES and
// LANG that is set; the first the program has wins, English when it has none of them.
TEST(UiLanguageTest, TheSystemsFirstPreferenceThatTheProgramHasIsChosen) {
    struct Case {
        std::map<std::string, std::string> environment;
        std::optional<uint16_t> chosen;
    } cases[] = {
        {{{"LANG", "de_DE.UTF-8"}}, German},
        {{{"LANG", "de_DE.UTF-8"}, {"LC_MESSAGES", "it_IT.UTF-8"}}, Italian},
        {{{"LANG", "de_DE.UTF-8"}, {"LC_MESSAGES", "it_IT"}, {"LC_ALL", "es_ES"}}, Spanish},
        {{{"LANGUAGE", "nl:fr:de"}, {"LANG", "de_DE.UTF-8"}}, French},
        {{{"LANGUAGE", "::"}, {"LANG", "fr_BE"}}, French},
        {{{"LANGUAGE", "nl"}, {"LANG", "nl_NL.UTF-8"}}, std::nullopt},
        {{{"LC_ALL", ""}, {"LANG", "it_CH"}}, Italian},
        {{{"LANG", "C.UTF-8"}}, English},
        {{}, std::nullopt},
    };
    for (const Case& c : cases) {
        auto getenv = [&](const char* name) -> const char* {
            auto found = c.environment.find(name);
            return found == c.environment.end() ? nullptr : found->second.c_str();
        };
        EXPECT_EQ(FirstOffered(platform::LocalesFromEnvironment(getenv), kHas), c.chosen)
            << testing::PrintToString(c.environment);
    }
    // Only what the program has is chosen, in the variety it has.
    EXPECT_EQ(FirstOffered({"de_CH", "fr"}, {English, French}), French);
    EXPECT_EQ(FirstOffered({"de_CH"}, {English, 0x0007}), 0x0007);
}

}  // namespace
