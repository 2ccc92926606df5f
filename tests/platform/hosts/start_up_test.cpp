// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The one start-up path (platform/hosts/start_up.h): the program's WinMain is called as Windows
// calls it, with the tail of the process's command line, on a platform set up for the run and
// taken down after it.
#include "platform/hosts/start_up.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/host.h"
#include "platform/hosts/command_line.h"
#include "platform/hosts/headless/headless_backend.h"
#include "shell/platform.h"

namespace {

// What the program saw of its start, and what its backend heard.
struct Seen {
    HINSTANCE instance = nullptr;
    HINSTANCE previous = reinterpret_cast<HINSTANCE>(1);
    std::wstring tail;
    bool tailInsideTheLine = false;
    std::wstring line;
    int showCommand = -1;
    bool readyBefore = false;
    platform::Backend* backend = nullptr;
    int exited = -1;
    bool backendGone = false;
};
Seen seen;
bool readyRan = false;
int programExit = 0;

class RecordingBackend : public platform::HeadlessBackend {
  public:
    explicit RecordingBackend(std::ostream& log) : HeadlessBackend({}, log) {}
    ~RecordingBackend() override { seen.backendGone = true; }
    void Exited(int code) override {
        seen.exited = code;
        HeadlessBackend::Exited(code);
    }
};

// The program's WinMain: notes what it was handed and what it finds.
int WINAPI ProgramEntry(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine,
                        int showCommand) {
    LPWSTR line = GetCommandLineW();
    seen.instance = instance;
    seen.previous = previous;
    seen.tail = commandLine;
    seen.line = line;
    seen.tailInsideTheLine =
        commandLine >= line && commandLine <= line + std::char_traits<wchar_t>::length(line);
    seen.showCommand = showCommand;
    seen.readyBefore = readyRan;
    seen.backend = platform::CurrentBackend();
    return programExit;
}

// Runs the program with `line` as the process's command line.
int Launch(const std::wstring& line, platform::ProgramStart start = {}) {
    seen = Seen{};
    readyRan = false;
    std::ostringstream log;
    start.commandLine = line;
    return platform::RunProgram(ProgramEntry, std::make_unique<RecordingBackend>(log), start);
}

TEST(StartUpTest, WinMainGetsTheCommandLineAfterTheProgramsNameAsTyped) {
    struct Case {
        std::wstring line, tail;
    } cases[] = {
        {L"quillby", L""},
        {L"quillby --speak", L"--speak"},
        {L"quillby \t --scale 2 ", L"--scale 2 "},
        {L"\"C:\\Program Files\\Quillby\\quillby.exe\" --scale 2", L"--scale 2"},
        {L"\"C:\\Quillby\\\"--speak", L"--speak"},
        {L"quillby --script \"a b.txt\" --shots C:\\x\\\\\"",
         L"--script \"a b.txt\" --shots C:\\x\\\\\""},
        {L"", L""},
    };
    for (const Case& c : cases) {
        Launch(c.line);
        EXPECT_EQ(seen.tail, c.tail) << c.line;
        EXPECT_EQ(seen.line, c.line);
        EXPECT_TRUE(seen.tailInsideTheLine) << c.line;
    }
}

// What the host was given reaches the program whole: split as Windows splits it, the tail of the
// line the host makes of its arguments gives them back.
TEST(StartUpTest, TheProgramSplitsTheHostsArgumentsBackAsTheyWereGiven) {
    std::vector<std::string> args = {"--headless",     "--script", "My Scripts\\a b.txt", "--shots",
                                     "C:\\My Shots\\", "",         "say \"hi\""};
    Launch(platform::ParseCommandLine(args).line);
    int count = 0;
    LPWSTR* split = CommandLineToArgvW((L"quillby " + seen.tail).c_str(), &count);
    ASSERT_EQ(count, int(args.size()) + 1);
    std::vector<std::wstring> expected = {L"--headless", L"--script",       L"My Scripts\\a b.txt",
                                          L"--shots",    L"C:\\My Shots\\", L"",
                                          L"say \"hi\""};
    EXPECT_EQ(std::vector<std::wstring>(split + 1, split + count), expected);
    LocalFree(split);
}

TEST(StartUpTest, TheProgramRunsOnAPlatformOfItsOwnAndItsCodeIsTheProcesss) {
    platform::ProgramStart start;
    start.ready = [] { readyRan = true; };
    programExit = 3;
    EXPECT_EQ(Launch(L"quillby", start), 3);
    EXPECT_EQ(seen.instance, GetModuleHandleW(nullptr));
    EXPECT_EQ(seen.previous, nullptr);
    EXPECT_EQ(seen.showCommand, SW_SHOWDEFAULT);
    EXPECT_TRUE(seen.readyBefore);
    EXPECT_NE(seen.backend, nullptr);
    EXPECT_EQ(seen.exited, 3);
    EXPECT_TRUE(seen.backendGone);

    // The host may make another exit code of the program's, while its backend still stands.
    start.ended = [](int code) {
        EXPECT_FALSE(seen.backendGone);
        return code + 10;
    };
    EXPECT_EQ(Launch(L"quillby", start), 13);
    EXPECT_EQ(seen.exited, 3);
    EXPECT_TRUE(seen.backendGone);
    EXPECT_EQ(platform::CurrentBackend(), nullptr);
    programExit = 0;
}

}  // namespace
