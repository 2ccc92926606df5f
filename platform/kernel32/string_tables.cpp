// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The program's string tables as Windows keeps them: the strings in blocks of sixteen numbers,
// each block a resource of its own in each language, so that a language is chosen for the
// block (resource_language.h) and a string its block in that language lacks is not found.
#include <algorithm>

#include "platform/kernel32/resource_language.h"
#include "platform/kernel32/resource_lookup.h"
#include "platform/platform_state.h"

namespace platform {

const StringEntry* FindString(int id, const StringEntry* table, size_t count) {
    const uint16_t thread = State().uiLanguage;
    bool chosen = false;
    uint16_t language = 0;
    int rank = 0;
    for (size_t i = 0; i < count; ++i) {
        const StringEntry& e = table[i];
        if (!e.text || e.id >> 4 != id >> 4) continue;
        int r = LanguageRank(e.language, thread);
        if (!chosen || r < rank) chosen = true, language = e.language, rank = r;
    }
    for (size_t i = 0; chosen && i < count; ++i)
        if (table[i].text && table[i].id == id && table[i].language == language) return &table[i];
    return nullptr;
}

std::vector<uint16_t> StringLanguages(int id) {
    std::vector<uint16_t> languages;
    for (size_t i = 0; i < kStringCount; ++i)
        if (kStrings[i].text && kStrings[i].id == id) languages.push_back(kStrings[i].language);
    std::sort(languages.begin(), languages.end(), [](uint16_t a, uint16_t b) {
        return (a != 0x0409) < (b != 0x0409) || ((a != 0x0409) == (b != 0x0409) && a < b);
    });
    languages.erase(std::unique(languages.begin(), languages.end()), languages.end());
    return languages;
}

}  // namespace platform
