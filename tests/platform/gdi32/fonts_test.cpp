// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// How the platform chooses among the fonts it carries for a LOGFONT, as GDI's mapper would.
// (The golden screenshots show it finds the program's own: the game's letters in the bold face.)
#include "platform/gdi32/fonts.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

#include "shell/platform.h"

namespace {

using platform::InstalledFont;

LOGFONTW Font(const WCHAR* face, BYTE pitchAndFamily, LONG weight, bool italic = false) {
    LOGFONTW font{};
    font.lfHeight = 40;
    font.lfWeight = weight;
    font.lfItalic = italic;
    font.lfPitchAndFamily = pitchAndFamily;
    std::wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return font;
}

TEST(FontsTest, TheMapperWeighsTheNameThenPitchKindItalicsAndLastTheNearestWeight) {
    const std::vector<InstalledFont> fonts{
        {L"Letters", 400, false, FF_SWISS, VARIABLE_PITCH, nullptr, 0},
        {L"Letters", 700, false, FF_SWISS, VARIABLE_PITCH, nullptr, 0},
        {L"Book", 400, false, FF_ROMAN, VARIABLE_PITCH, nullptr, 0},
        {L"Book", 400, true, FF_ROMAN, VARIABLE_PITCH, nullptr, 0},
        {L"Plain", 400, false, FF_DONTCARE, VARIABLE_PITCH, nullptr, 0},
        {L"Code", 400, false, FF_MODERN, FIXED_PITCH, nullptr, 0},
    };
    struct Case {
        LOGFONTW wanted;
        int chosen;
    } cases[] = {
        {Font(L"", FF_SWISS, FW_NORMAL), 0},
        {Font(L"", FF_SWISS, FW_BOLD), 1},
        {Font(L"", FF_SWISS, 600), 1},
        {Font(L"", FF_SWISS, FW_DONTCARE), 0},       // as normal
        {Font(L"", FF_ROMAN, FW_BOLD), 2},           // the kind before the weight
        {Font(L"", FF_ROMAN, FW_NORMAL, true), 3},   // italics too
        {Font(L"letters", FF_ROMAN, FW_BOLD), 1},    // the name before the kind, in any case
        {Font(L"Nowhere", FF_ROMAN, FW_NORMAL), 2},  // no such name: the kind decides
        {Font(L"", FF_DECORATIVE, FW_NORMAL), 4},    // rather no known kind than another
        {Font(L"", FIXED_PITCH, FW_NORMAL), 5},      // the pitch alone
        {Font(L"", FF_MODERN, FW_NORMAL), 5},        // fixed pitch is the modern kind
        {Font(L"Book", VARIABLE_PITCH, FW_NORMAL), 2},
        {Font(L"", FF_DONTCARE, FW_NORMAL), 0},         // of equals, the first installed
        {Font(L"Code", VARIABLE_PITCH, FW_NORMAL), 5},  // the name before the pitch
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::ChooseFont(fonts, c.wanted), c.chosen) << "case " << &c - cases;
    EXPECT_EQ(platform::ChooseFont({}, Font(L"", FF_SWISS, FW_NORMAL)), -1);
}

}  // namespace
