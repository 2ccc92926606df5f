// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The executable's own command line, run as a user would run it.
#include "platform/hosts/command_line.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/narrator.h"
#include "tests/shell/session.h"

namespace {

TEST(CommandLineTest, OptionsThatNeedAValueOrTheHeadlessModeAreChecked) {
    struct Case {
        std::vector<std::string> args;
        std::string error;
    } cases[] = {
        {{"--start-tick", "x"}, "--start-tick needs a whole number from 0 to 4294967295"},
        // Past the tick's 32 bits: refused, never wrapped to another start.
        {{"--start-tick", "4294967296"}, "--start-tick needs a whole number from 0 to 4294967295"},
        {{"--start-tick", "18446744073709551617"},
         "--start-tick needs a whole number from 0 to 4294967295"},
        {{"--start-tick", "-1"}, "--start-tick needs a whole number from 0 to 4294967295"},
        {{"--headless", "--until", "4294967296"}, "--until needs a whole number of milliseconds"},
        {{"--script", "s.txt"}, "--script, --shots, --until and --trace go with --headless"},
        {{"--shots", "."}, "--script, --shots, --until and --trace go with --headless"},
        {{"--headless", "--scale", "2"}, "--scale and --fullscreen need a window, not --headless"},
        {{"--headless", "--script", ""}, "--script needs a FILE"},
        {{"--headless", "--shots"}, "--shots needs a DIR"},
        {{"--x\ny\x1b"}, "unknown option '--x\\ny\\x1B' (try --help)"},
        {{std::string(100, '-')}, "unknown option '" + std::string(40, '-') + "...' (try --help)"},
    };
    for (const Case& c : cases) EXPECT_EQ(platform::ParseCommandLine(c.args).error, c.error);
    platform::CommandLine c = platform::ParseCommandLine(
        {"--headless", "--start-tick", "4294967295", "--until", "5", "--trace"});
    EXPECT_EQ(c.error, "");
    EXPECT_EQ(c.startTick, 4294967295u);
    EXPECT_EQ(*c.until, 5u);
}

TEST(CommandLineTest, HelpVersionAndWhatCannotBeRunAnswerAtOnceInOneLine) {
    ScratchFolder folder;
    std::string script = (folder.path / "s.txt").string(), none = script + ".none";
    std::ofstream(script) << "100 down 1 2\n# fine\n50 up 1 2\n";
    struct Case {
        std::string args;
        int code;
        std::string out;
    } cases[] = {
        {"--version", 0, "quillby 1.1\n"},
        {"--colour", 2, "quillby: unknown option '--colour' (try --help)\n"},
        // An empty folder would put the screenshots in the root folder.
        {"--headless --shots ''", 2, "quillby: --shots needs a DIR\n"},
        {"--headless --script /dev/zero", 2, "quillby: script /dev/zero is not a regular file\n"},
        {"--headless --script " + folder.path.string(), 2,
         "quillby: script " + folder.path.string() + " is not a regular file\n"},
        {"--headless --script " + none, 2, "quillby: script " + none + " does not exist\n"},
        {"--headless --script " + script, 2,
         "quillby: script " + script + " line 3: time 50 is earlier than the line before\n"},
        {"--headless --language xx", 2, "quillby: --language needs one of en, de, es, fr, it\n"},
        {"--headless --language de_DE", 2, "quillby: --language needs one of en, de, es, fr, it\n"},
        {"--headless --language ''", 2, "quillby: --language needs a CODE, such as de\n"},
        {"--headless --language", 2, "quillby: --language needs a CODE, such as de\n"},
    };
    for (const Case& c : cases) {
        Outcome o = RunQuillby(c.args);
        EXPECT_EQ(o.code, c.code) << c.args;
        EXPECT_EQ(o.out, c.out);
    }
    Outcome help = RunQuillby("--help");
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("--headless"), std::string::npos);
    EXPECT_NE(help.out.find("--language CODE   play in en, de, fr, es or it"), std::string::npos);
}

// A headless run is English whatever the machine's language, German when asked: the ring's last
// card, a step back from A, is z or ü.
TEST(CommandLineTest, AHeadlessRunPlaysInEnglishUnlessTheLanguageOptionSaysOtherwise) {
    ScratchFolder folder;
    std::string script = (folder.path / "s.txt").string();
    std::ofstream(script) << "100 down 120 150\n120 up 120 150\n500 down 70 282\n520 up 70 282\n"
                             "600 shot last\n";
    auto lastCard = [&](const std::string& run) {
        Outcome o =
            RunQuillby(run + " --headless --script " + script + " --shots " + folder.path.string());
        EXPECT_EQ(o.code, 0) << o.out;
        std::ifstream shot(folder.path / "last.png", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(shot), {});
    };
    std::string english = lastCard("");
    EXPECT_EQ(lastCard("--language en"), english);
    EXPECT_NE(lastCard("--language de"), english);
    setenv("LANG", "de_DE.UTF-8", 1);
    setenv("LANGUAGE", "de", 1);
    EXPECT_EQ(lastCard(""), english) << "a headless run followed the machine's language";
    unsetenv("LANGUAGE");
    unsetenv("LANG");
}

// As in the README's example: the screenshots' folder is made, but not the folders above it.
TEST(CommandLineTest, ShotsGoIntoAFolderMadeForThemButNeverIntoMissingParents) {
    ScratchFolder folder;
    std::string script = (folder.path / "s.txt").string();
    std::ofstream(script) << "10 shot title\n";
    Outcome made =
        RunQuillby("--headless --script " + script + " --shots " + (folder.path / "out/").string());
    EXPECT_EQ(made.code, 0) << made.out;
    EXPECT_TRUE(std::filesystem::exists(folder.path / "out" / "title.png"));
    std::filesystem::path deeper = folder.path / "a" / "out";
    Outcome refused = RunQuillby("--headless --script " + script + " --shots " + deeper.string());
    EXPECT_EQ(refused.code, 1);
    EXPECT_NE(refused.out.find("10 shot title failed: cannot write " + deeper.string()),
              std::string::npos)
        << refused.out;
    EXPECT_FALSE(std::filesystem::exists(folder.path / "a"));
}

// The program reads its command line as Windows gives it (GetCommandLineW): each argument
// reaches it whole, and it hears --speak exactly when the user gave it.
TEST(CommandLineTest, TheProgramSeesTheCommandLineAsWindowsGivesIt) {
    struct Case {
        std::vector<std::string> args;
        std::wstring line;
        bool speak;
    } cases[] = {
        {{"--speak"}, L"quillby --speak", true},
        {{"--headless", "--script", "a b.txt", "--speak"},
         L"quillby --headless --script \"a b.txt\" --speak",
         true},
        {{"--script", "x\\\" --speak", "a\\"},
         L"quillby --script \"x\\\\\\\" --speak\" a\\",
         false},
        {{"caf\xC3\xA9", "\xFF", ""}, L"quillby caf\u00E9 \uFFFD \"\"", false},
    };
    for (const Case& c : cases) {
        platform::CommandLine parsed = platform::ParseCommandLine(c.args);
        EXPECT_EQ(parsed.line, c.line);
        EXPECT_EQ(Narrator::Asked(parsed.line.c_str()), c.speak) << c.args[0];
        EXPECT_EQ(parsed.speak && parsed.error.empty(), c.speak) << c.args[0];
    }
}

}  // namespace
