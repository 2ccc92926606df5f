// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// CharLowerW as Windows lowers: by Unicode, whatever the C library's locale.
#include <gtest/gtest.h>

#include <string>

#include "shell/platform.h"

namespace {

WCHAR LowerOne(WCHAR c) {
    return WCHAR(reinterpret_cast<ULONG_PTR>(CharLowerW(reinterpret_cast<LPWSTR>(ULONG_PTR(c)))));
}

TEST(CharLowerTest, EveryAlphabetsCapitalsLowerToTheirSmallLettersAndNothingElseChanges) {
    std::wstring text = L"ABCXYZ ÄÖÜ Ñ ÀÉÎÕØÞ ĀĂŁŃŒŠŸŽ ΑΩ АЯЁ ß×÷1@[";
    EXPECT_EQ(CharLowerW(text.data()), text.data());
    EXPECT_EQ(text, L"abcxyz äöü ñ àéîõøþ āăłńœšÿž αω аяё ß×÷1@[");
    EXPECT_EQ(LowerOne(L'Ä'), L'ä');
    EXPECT_EQ(LowerOne(L'Ñ'), L'ñ');
    EXPECT_EQ(LowerOne(L'a'), L'a');
    EXPECT_EQ(LowerOne(L'ä'), L'ä');
}

}  // namespace
