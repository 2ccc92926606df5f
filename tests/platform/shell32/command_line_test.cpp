// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// How a command line is split into arguments (CommandLineToArgvW), as a user typing paths at a
// prompt or in a shortcut meets it. Through shell/platform.h alone, so that the Windows build
// runs the same cases against Windows' own shell32.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/platform.h"

namespace {

using Arguments = std::vector<std::wstring>;

// The arguments of `line`, checking the block they come in: a null after the last pointer, and
// one LocalFree that takes it all back.
Arguments Split(LPCWSTR line) {
    int count = -1;
    LPWSTR* block = CommandLineToArgvW(line, &count);
    if (!block) return {L"(no block)"};
    Arguments arguments(block, block + (count > 0 ? count : 0));
    EXPECT_EQ(block[count], nullptr) << line;
    EXPECT_EQ(LocalFree(block), nullptr) << line;
    return arguments;
}

struct Case {
    const wchar_t* line;
    Arguments arguments;
};

void ExpectSplits(const std::vector<Case>& cases) {
    for (const Case& c : cases) EXPECT_EQ(Split(c.line), c.arguments) << c.line;
}

TEST(CommandLineToArgvWTest, BlanksPartArgumentsOutsideQuotes) {
    ExpectSplits({
        {L"quillby --scale 2", {L"quillby", L"--scale", L"2"}},
        {L"quillby  --scale\t2 \t", {L"quillby", L"--scale", L"2"}},
        {L"quillby --shots \"C:\\My Shots\" --speak",
         {L"quillby", L"--shots", L"C:\\My Shots", L"--speak"}},
        {L"quillby a\" b \"c", {L"quillby", L"a b c"}},
        {L"quillby \"no end to the quotes", {L"quillby", L"no end to the quotes"}},
    });
}

TEST(CommandLineToArgvWTest, BackslashesCountOnlyBeforeAQuote) {
    ExpectSplits({
        {L"quillby C:\\a\\b\\ \\\\server\\x", {L"quillby", L"C:\\a\\b\\", L"\\\\server\\x"}},
        // A folder's trailing backslash inside quotes needs doubling, or it quotes the quote
        // and the rest of the line joins the path.
        {L"quillby --shots \"C:\\My Shots\\\\\" --speak",
         {L"quillby", L"--shots", L"C:\\My Shots\\", L"--speak"}},
        {L"quillby --shots \"C:\\My Shots\\\" --speak",
         {L"quillby", L"--shots", L"C:\\My Shots\" --speak"}},
        {L"quillby a\\\\\\\"b", {L"quillby", L"a\\\"b"}},
        {L"quillby a\\\\\\\\\"b c\"", {L"quillby", L"a\\\\b c"}},
    });
}

TEST(CommandLineToArgvWTest, QuotesWithNothingBetweenThemAreAnEmptyArgument) {
    ExpectSplits({
        {L"quillby \"\" --speak", {L"quillby", L"", L"--speak"}},
        {L"quillby \"\"", {L"quillby", L""}},
        {L"quillby x\"\"y", {L"quillby", L"xy"}},
        // Inside quotes two of them give one, and end the quoted part.
        {L"quillby \"a\"\"b\"", {L"quillby", L"a\"b"}},
        {L"quillby \"a\"\"b c\"", {L"quillby", L"a\"b", L"c"}},
    });
}

TEST(CommandLineToArgvWTest, TheProgramsNameIsTakenAsAPath) {
    ExpectSplits({
        {L"C:\\Games\\quillby.exe --speak", {L"C:\\Games\\quillby.exe", L"--speak"}},
        {L"\"C:\\Program Files\\Quillby\\quillby.exe\"",
         {L"C:\\Program Files\\Quillby\\quillby.exe"}},
        // No backslash escapes its closing quote, and the next argument may follow at once.
        {L"\"C:\\Quillby\\\"--speak", {L"C:\\Quillby\\", L"--speak"}},
        {L"C:\\a\"b c", {L"C:\\a\"b", L"c"}},
        {L" --speak", {L"", L"--speak"}},
    });
    // An empty line stands for the program itself, named as the process was started (the tests
    // are, by their whole path).
    Arguments own = Split(GetCommandLineW());
    ASSERT_FALSE(own.empty());
    EXPECT_EQ(Split(L""), Arguments{own[0]});
    EXPECT_FALSE(own[0].empty());
}

TEST(CommandLineToArgvWTest, WithoutACountToFillThereIsNoBlock) {
    EXPECT_EQ(CommandLineToArgvW(L"quillby --speak", nullptr), nullptr);
}

}  // namespace
