// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The executable's own command line, run as a user would run it.
#include "platform/command_line.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "tests/shell/session.h"

namespace {

TEST(CommandLineTest, HelpVersionAndUnknownOptions) {
    Outcome help = RunQuillby("--help");
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("--headless"), std::string::npos);
    Outcome version = RunQuillby("--version");
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, "quillby 1.1\n");
    Outcome unknown = RunQuillby("--colour");
    EXPECT_EQ(unknown.code, 2);
    EXPECT_EQ(unknown.out, "quillby: unknown option '--colour' (try --help)\n");
}

TEST(CommandLineTest, OptionsThatNeedAValueOrTheHeadlessModeAreChecked) {
    struct Case {
        std::vector<std::string> args;
        std::string error;
    } cases[] = {
        {{"--start-tick", "x"}, "--start-tick needs a whole number from 0 to 4294967295"},
        {{"--script", "s.txt"}, "--script, --shots, --until and --trace go with --headless"},
        {{"--shots", "."}, "--script, --shots, --until and --trace go with --headless"},
        {{"--headless", "--scale", "2"}, "--scale and --fullscreen need a window, not --headless"},
        // An empty folder would put the screenshots in the root folder.
        {{"--headless", "--shots", ""}, "--shots needs a DIR"},
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

TEST(CommandLineTest, AHeadlessRunPlaysAScriptAndAMalformedOneIsRefused) {
    ScratchFolder folder;
    std::string script = (folder.path / "s.txt").string();
    std::ofstream(script) << "100 down 120 150\n110 up 120 150\n300 shot card\n400 close\n";
    Outcome run = RunQuillby("--headless --start-tick 9 --script " + script + " --shots " +
                             folder.path.string());
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "0 sound 20006\n100 sound 20003\n300 shot card\n400 exit 0\n");
    EXPECT_TRUE(std::ifstream(folder.path / "card.png").good());

    std::ofstream(script) << "100 down 1 2\n# fine\n50 up 1 2\n";
    Outcome bad = RunQuillby("--headless --script " + script);
    EXPECT_EQ(bad.code, 2);
    EXPECT_EQ(bad.out,
              "quillby: script " + script + " line 3: time 50 is earlier than the line before\n");
}

TEST(CommandLineTest, WhatCannotBeAScriptOrAFolderIsRefusedAtOnceInOneLine) {
    ScratchFolder folder;
    std::string script = (folder.path / "s.txt").string();
    struct Case {
        std::string args, out;
    } cases[] = {
        {"--headless --shots ''", "quillby: --shots needs a DIR\n"},
        {"--headless --script /dev/zero", "quillby: script /dev/zero is not a regular file\n"},
        {"--headless --script " + folder.path.string(),
         "quillby: script " + folder.path.string() + " is not a regular file\n"},
        {"--headless --script " + script, "quillby: script " + script + " does not exist\n"},
    };
    for (const Case& c : cases) {
        Outcome o = RunQuillby(c.args);
        EXPECT_EQ(o.code, 2) << c.args;
        EXPECT_EQ(o.out, c.out);
    }
    // A line of nothing but a form feed is blank, not a crash.
    std::ofstream(script) << "0 down 1 1\n\f\n\v\n20 close\n";
    Outcome run = RunQuillby("--headless --script " + script);
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "0 sound 20006\n0 sound 20003\n20 exit 0\n");
}

}  // namespace
