// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Resources in the thread's UI language: the order the loader tries languages in, the string
// tables' blocks of sixteen, and the program's own English as the fallback.
#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/kernel32/resource_lookup.h"
#include "platform/platform_state.h"
#include "tests/platform/headless_fixture.h"

namespace {

constexpr LANGID German = MAKELANGID(0x07, 0x01), SwissGerman = MAKELANGID(0x07, 0x02),
                 GermanAnyVariety = MAKELANGID(0x07, 0x00), French = MAKELANGID(0x0C, 0x01),
                 EnglishUs = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US),
                 EnglishUk = MAKELANGID(LANG_ENGLISH, 0x02), Neutral = 0;

class ResourceLanguageTest : public HeadlessTest {
  protected:
    // A WAVE of this number in this language, its one byte telling which it is.
    void Add(int id, LANGID language, uint8_t mark) {
        marks.push_back(std::make_unique<uint8_t>(mark));
        platform::State().addedResources.push_back(std::make_unique<platform::ResourceEntry>(
            platform::ResourceEntry{0, L"WAVE", id, language, marks.back().get(), 1}));
    }
    // The mark of what FindResourceW (or FindResourceExW, given a language) finds; 0 for none.
    static int Found(int id, std::optional<LANGID> language = std::nullopt) {
        HMODULE module = GetModuleHandleW(nullptr);
        HRSRC r = language ? FindResourceExW(module, L"WAVE", MAKEINTRESOURCEW(id), *language)
                           : FindResourceW(module, MAKEINTRESOURCEW(id), L"WAVE");
        return r ? *static_cast<uint8_t*>(LoadResource(module, r)) : 0;
    }
    std::vector<std::unique_ptr<uint8_t>> marks;
};

TEST_F(ResourceLanguageTest, TheThreadsLanguageFirstThenItsKinThenNeutralThenEnglish) {
    EXPECT_EQ(GetThreadUILanguage(), EnglishUs);
    Add(1, EnglishUk, 5), Add(1, French, 6), Add(1, EnglishUs, 4), Add(1, Neutral, 3);
    Add(1, SwissGerman, 2), Add(1, GermanAnyVariety, 7), Add(1, German, 1);
    struct Case {
        LANGID thread;
        int found;
    } cases[] = {{German, 1},    {SwissGerman, 2}, {MAKELANGID(0x07, 0x05), 7}, {French, 6},
                 {EnglishUs, 4}, {EnglishUk, 5},   {MAKELANGID(0x0A, 0x01), 3}};
    for (const Case& c : cases) {
        EXPECT_EQ(SetThreadUILanguage(c.thread), c.thread);
        EXPECT_EQ(Found(1), c.found) << std::hex << c.thread;
    }
    // Neutral asks for the user's language and changes nothing.
    EXPECT_EQ(SetThreadUILanguage(Neutral), MAKELANGID(0x0A, 0x01));
    // Without the neutral one, English (United States) before another English; then any.
    Add(2, French, 6), Add(2, EnglishUk, 5), Add(2, EnglishUs, 4);
    EXPECT_EQ(Found(2), 4);
    Add(3, French, 6);
    EXPECT_EQ(Found(3), 6);
}

TEST_F(ResourceLanguageTest, FindResourceExTakesTheLanguageAskedForOrAnyOfItsVarieties) {
    Add(1, EnglishUs, 4), Add(1, SwissGerman, 2), Add(1, German, 1);
    EXPECT_EQ(Found(1, SwissGerman), 2);
    EXPECT_EQ(Found(1, GermanAnyVariety), 2);  // the first of them
    EXPECT_EQ(Found(1, French), 0);
    EXPECT_EQ(Found(1, MAKELANGID(0x07, 0x03)), 0);
    SetThreadUILanguage(German);
    EXPECT_EQ(Found(1, Neutral), 1);  // the thread's choice
}

// Windows keeps strings in blocks of sixteen numbers, each block a resource in each language:
// a block is taken in the best language that has it, and a string that block lacks is not
// taken from another language.
TEST_F(ResourceLanguageTest, AStringComesFromItsBlockInTheBestLanguageThatHasTheBlock) {
    const platform::StringEntry table[] = {{16, EnglishUs, L"sixteen"},
                                           {17, EnglishUs, L"seventeen"},
                                           {16, German, L"sechzehn"},
                                           {32, EnglishUs, L"thirty-two"},
                                           {31, German, L"einunddreißig"}};
    auto text = [&](int id) {
        const platform::StringEntry* e = platform::FindString(id, table, std::size(table));
        return e ? std::wstring(e->text) : L"(none)";
    };
    SetThreadUILanguage(German);
    EXPECT_EQ(text(16), L"sechzehn");
    EXPECT_EQ(text(17), L"(none)");  // German has the block, without 17
    EXPECT_EQ(text(31), L"einunddreißig");
    EXPECT_EQ(text(32), L"thirty-two");
    SetThreadUILanguage(French);
    EXPECT_EQ(text(17), L"seventeen");
    EXPECT_EQ(text(31), L"(none)");
}

// The program's own resources are all English (United States): a thread that asks for a
// language they lack gets them all the same.
TEST_F(ResourceLanguageTest, TheProgramsEnglishIsFoundWhateverTheThreadAsksFor) {
    SetThreadUILanguage(MAKELANGID(0x1F, 0x01));
    WCHAR name[16];
    EXPECT_EQ(LoadStringW(GetModuleHandleW(nullptr), 1, name, 16), 7);
    EXPECT_STREQ(name, L"Quillby");
    EXPECT_NE(FindResourceW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(20000), L"WAVE"), nullptr);
    HBITMAP apple = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(500));
    EXPECT_NE(apple, nullptr);
    DeleteObject(apple);
    // And the language lasts only as long as the platform.
    Restart({});
    EXPECT_EQ(GetThreadUILanguage(), EnglishUs);
}

}  // namespace
