// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include <gtest/gtest.h>

#include <sstream>

#include "platform/headless/stylus_script.h"
#include "tests/platform/headless_fixture.h"

namespace {

platform::ScriptResult Parse(const std::string& text) {
    std::istringstream in(text);
    return platform::ParseScript(in);
}

TEST(StylusScriptTest, ReadsEveryKindOfLineAndSkipsComments) {
    auto r =
        Parse("# a session\n0 down 10 20\n\n5 up 10 20  # lift\n5 shot first-card\n900 close\n");
    ASSERT_EQ(r.error, "");
    ASSERT_EQ(r.events.size(), 4u);
    EXPECT_EQ(r.events[0].kind, platform::ScriptEvent::Kind::Down);
    EXPECT_EQ(r.events[0].y, 20);
    EXPECT_EQ(r.events[1].ms, 5u);
    EXPECT_EQ(r.events[2].name, "first-card");
    EXPECT_EQ(r.events[3].kind, platform::ScriptEvent::Kind::Close);
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
    };
    for (const Case& c : cases) {
        auto r = Parse(c.text);
        EXPECT_EQ(r.error.rfind(c.error, 0), 0u) << c.text << " gave: " << r.error;
        EXPECT_TRUE(r.events.empty());
    }
}

class HeadlessRunTest : public HeadlessTest {};

TEST_F(HeadlessRunTest, ScriptEventsArePostedWhenTheirTimeComes) {
    platform::HeadlessOptions options;
    options.startTick = 5000;
    options.script = Parse("3 down 7 8\n4 up 7 9\n").events;
    options.until = 10;
    Restart(options);
    MSG msg;
    std::vector<std::pair<UINT, DWORD>> got;
    while (GetMessageW(&msg, nullptr, 0, 0)) {
        if (msg.message != WM_PAINT) got.push_back({msg.message, GetTickCount() - 5000});
        DispatchMessageW(&msg);
        if (msg.message == WM_CLOSE) PostQuitMessage(0);  // the window is gone by now
    }
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0], std::make_pair(UINT(WM_LBUTTONDOWN), DWORD(3)));
    EXPECT_EQ(got[1], std::make_pair(UINT(WM_LBUTTONUP), DWORD(4)));
    EXPECT_EQ(got[2], std::make_pair(UINT(WM_CLOSE), DWORD(10)));  // --until
}

}  // namespace
