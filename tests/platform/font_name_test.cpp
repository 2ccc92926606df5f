// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The Windows layer reads its font's family name from the font's bytes; the reading is plain
// C++, tested here under the sanitizers, which catch a read past the bytes it is given.
#include "platform/win32/font_name.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

namespace {

using platform::win32::FontFamilyName;

TEST(FontNameTest, TheGamesFontsAreQuillbyLettersAndACutCopyIsNeverReadPastItsEnd) {
    for (const char* file : {"resources/fonts/QuillbyLetters-Regular.ttf",
                             "resources/fonts/QuillbyLetters-Bold.ttf"}) {
        std::ifstream in(file, std::ios::binary);
        std::vector<uint8_t> font{std::istreambuf_iterator<char>(in), {}};
        ASSERT_FALSE(font.empty()) << file;
        EXPECT_EQ(FontFamilyName(font.data(), font.size()), u"Quillby Letters") << file;
        for (size_t size = 0; size < font.size(); size += 13) {
            std::vector<uint8_t> cut(font.begin(), font.begin() + ptrdiff_t(size));
            std::u16string name = FontFamilyName(cut.data(), cut.size());
            EXPECT_TRUE(name.empty() || name == u"Quillby Letters") << size << " bytes";
        }
    }
    EXPECT_EQ(FontFamilyName(nullptr, 100), u"");
}

}  // namespace
