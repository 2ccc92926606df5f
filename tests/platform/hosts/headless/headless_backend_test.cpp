// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include <gtest/gtest.h>

#include <optional>
#include <sstream>

#include "platform/hosts/headless/stylus_script.h"
#include "tests/platform/headless_fixture.h"

namespace {

platform::ScriptResult Parse(const std::string& text) {
    std::istringstream in(text);
    return platform::ParseScript(in);
}

// Any line of white space is blank, and the latest time that leaves the run its second is taken.
TEST(StylusScriptTest, ReadsEveryKindOfLineAndSkipsCommentsAndBlankLines) {
    auto r = Parse(
        "# a session\n0 down 10 20\n\f\n\v\n \t\r\n5 up 10 20  # lift\n5 shot\vfirst-card\r\n"
        "\f\v # comment\n4294966295\fclose");
    ASSERT_EQ(r.error, "");
    ASSERT_EQ(r.events.size(), 4u);
    EXPECT_EQ(r.events[0].kind, platform::ScriptEvent::Kind::Down);
    EXPECT_EQ(r.events[0].y, 20);
    EXPECT_EQ(r.events[1].ms, 5u);
    EXPECT_EQ(r.events[2].name, "first-card");
    EXPECT_EQ(r.events[3].kind, platform::ScriptEvent::Kind::Close);
    EXPECT_EQ(r.events[3].ms, 4294966295u);
}

TEST(StylusScriptTest, RefusesAMalformedScriptNamingTheLine) {
    struct Case {
        const char* text;
        const char* error;
    } cases[] = {
        {"0 down 1 2\nten up 1 2\n", "line 2: expected a time"},
        {"10 down 1 2\n5 up 1 2\n", "line 2: time 5 is earlier"},
        {"0 tap 1 2\n", "line 1: unknown action 'tap'"},
        {"0 down 1\n", "line 1: down takes X and Y"},
        {"0 up 1 70000\n", "line 1: position must be"},
        {"0 shot ../etc/x\n", "line 1: shot name"},
        {"# fine\n0 close now\n", "line 2: close takes nothing more"},
        {"7\n", "line 1: expected down, up"},
        // The run ends 1000 ms after the last line, which must not wrap round to its start.
        {"4294966296 close\n", "line 1: time 4294966296 is too late"},
        {"4294967295 shot late\n", "line 1: time 4294967295 is too late"},
        // Words are quoted with control characters escaped and long ones shortened.
        {"0 t\x1b[2Jap\x07 1 2\n", "line 1: unknown action 't\\x1B[2Jap\\x07'"},
        {"0 shot a\tb\n", "line 1: shot takes one NAME"},
        {"0 shot a\x7F\n", "line 1: shot name 'a\\x7F' may hold only"},
    };
    for (const Case& c : cases) {
        auto r = Parse(c.text);
        EXPECT_EQ(r.error.rfind(c.error, 0), 0u) << c.text << " gave: " << r.error;
        EXPECT_TRUE(r.events.empty());
    }
    std::string longName(101, 'a');
    EXPECT_EQ(Parse("0 shot " + longName).error, "line 1: shot name '" + longName.substr(0, 40) +
                                                     "...' is too long (at most 100 characters)");
    EXPECT_EQ(Parse("0 shot " + longName.substr(1)).error, "");
    EXPECT_EQ(Parse("0 " + std::string(300, 'x') + " 1 2").error,
              "line 1: unknown action '" + std::string(40, 'x') +
                  "...' (expected down, up, shot or close)");
}

// Comment lines without end, as a device or a file that keeps growing would give them.
class EndlessComments : public std::streambuf {
  public:
    EndlessComments() : line_("#" + std::string(998, ' ')) { line_ += '\n'; }
    int_type underflow() override {
        setg(line_.data(), line_.data(), line_.data() + line_.size());
        return traits_type::to_int_type(line_[0]);
    }

  private:
    std::string line_;
};

TEST(StylusScriptTest, RefusesOverlongLinesAndScriptsPastTheirSizeLimit) {
    EXPECT_EQ(Parse("0 close\n" + std::string(4096, ' ') + "\n").error, "");
    EXPECT_EQ(Parse("0 close\n" + std::string(4097, ' ') + "\n").error,
              "line 2: longer than 4096 characters");
    EndlessComments endless;
    std::istream in(&endless);
    EXPECT_EQ(platform::ParseScript(in).error, "line 67109: the script is larger than 64 MB");
}

using HeadlessRunTest = HeadlessTest;

TEST_F(HeadlessRunTest, TheRunEndsAtUntilOrASecondAfterTheLastLineOrAtTheLatestTime) {
    struct Case {
        uint32_t last;
        std::optional<uint32_t> until;
        uint32_t closeAt;
    } cases[] = {{0, {}, 1000},
                 {400, {}, 1400},
                 {400, 10, 10},
                 {4294966295u, {}, 4294967295u},
                 {4294967295u, {}, 4294967295u}};
    // Whether the backend has asked the window to close by now (a look at an empty queue
    // moves the virtual clock on by 1 ms).
    auto closeAsked = [] {
        MSG msg;
        bool asked = false;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message != WM_PAINT)
            asked = asked || msg.message == WM_CLOSE;
        return asked;
    };
    for (const Case& c : cases) {
        platform::HeadlessOptions options;
        options.startTick = 77;
        options.script = {platform::ScriptEvent{c.last, platform::ScriptEvent::Kind::Up, 1, 2, ""}};
        options.until = c.until;
        Restart(options);
        backend->Advance(c.closeAt - 1);
        EXPECT_FALSE(closeAsked()) << c.last;
        backend->Advance(c.closeAt - backend->Elapsed());
        EXPECT_TRUE(closeAsked()) << c.last;
    }
}

}  // namespace
