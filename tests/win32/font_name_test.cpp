// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "platform/win32/font_name.h"

#include <gtest/gtest.h>

#include <vector>

#include "shell/platform.h"

namespace {

using platform::win32::FontFamilyName;

void Put16(std::vector<uint8_t>& b, size_t at, unsigned v) {
    b[at] = uint8_t(v >> 8);
    b[at + 1] = uint8_t(v);
}
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    Put16(b, at, v >> 16);
    Put16(b, at + 2, v & 0xFFFF);
}

struct Name {
    unsigned platform, encoding, language, id;
    std::u16string text;
};

// A font holding only a name table with these names.
std::vector<uint8_t> FontWithNames(const std::vector<Name>& names) {
    size_t table = 12 + 16, strings = 6 + 12 * names.size();
    std::vector<uint8_t> b(table + strings);
    Put16(b, 4, 1);
    b[12] = 'n', b[13] = 'a', b[14] = 'm', b[15] = 'e';
    Put32(b, 20, uint32_t(table));
    Put16(b, table + 2, unsigned(names.size()));
    Put16(b, table + 4, unsigned(strings));
    size_t offset = 0;
    for (size_t i = 0; i < names.size(); ++i) {
        size_t r = table + 6 + 12 * i;
        const Name& n = names[i];
        Put16(b, r, n.platform), Put16(b, r + 2, n.encoding), Put16(b, r + 4, n.language);
        Put16(b, r + 6, n.id), Put16(b, r + 8, unsigned(2 * n.text.size()));
        Put16(b, r + 10, unsigned(offset));
        for (char16_t c : n.text) {
            b.push_back(uint8_t(c >> 8));
            b.push_back(uint8_t(c));
        }
        offset += 2 * n.text.size();
    }
    Put32(b, 24, uint32_t(b.size() - table));
    return b;
}

BOOL CALLBACK First(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR out) {
    *reinterpret_cast<LPCWSTR*>(out) = name;
    return FALSE;
}

TEST(FontNameTest, TheProgramsFontIsQuillbyLetters) {
    HMODULE module = GetModuleHandleW(nullptr);
    LPCWSTR name = nullptr;
    EnumResourceNamesW(module, L"TRUETYPE", First, LONG_PTR(&name));
    ASSERT_NE(name, nullptr) << "no TRUETYPE resource";
    HRSRC r = FindResourceW(module, name, L"TRUETYPE");
    auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(module, r)));
    EXPECT_EQ(FontFamilyName(data, SizeofResource(module, r)), u"Quillby Letters");
}

TEST(FontNameTest, TheWindowsFamilyNameIsChosenUsEnglishFirst) {
    struct Case {
        const char* what;
        std::vector<Name> names;
        std::u16string expect;
    } cases[] = {
        {"US English among others",
         {{3, 1, 0x407, 1, u"Buchstaben"}, {3, 1, 0x409, 1, u"Letters"}},
         u"Letters"},
        {"another language only", {{3, 1, 0x407, 1, u"Buchstaben"}}, u"Buchstaben"},
        {"the style's name is not the family's", {{3, 1, 0x409, 2, u"Bold"}}, u""},
        {"a Macintosh name only", {{1, 0, 0, 1, u"Letters"}}, u""},
        {"full Unicode", {{3, 10, 0x409, 1, u"Letters"}}, u"Letters"},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> font = FontWithNames(c.names);
        EXPECT_EQ(FontFamilyName(font.data(), font.size()), c.expect) << c.what;
    }
}

TEST(FontNameTest, ACutOrDamagedFontGivesNoNameAndIsNotReadPastItsEnd) {
    std::vector<uint8_t> font = FontWithNames({{3, 1, 0x409, 1, u"Letters"}});
    for (size_t size = 0; size < font.size(); ++size) {
        std::vector<uint8_t> cut(font.begin(), font.begin() + ptrdiff_t(size));
        EXPECT_EQ(FontFamilyName(cut.data(), cut.size()), u"") << size << " bytes";
    }
    std::vector<uint8_t> lying = font;
    Put16(lying, 4, 5000);  // more tables than bytes
    EXPECT_EQ(FontFamilyName(lying.data(), lying.size()), u"");
    EXPECT_EQ(FontFamilyName(nullptr, 100), u"");
}

}  // namespace
