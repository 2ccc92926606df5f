// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "tests/shell/session.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/formats/png.h"

namespace {

// The title's picture, outside its labels; the game's quiz switch; the close button.
constexpr const char* kOpenGame = "100 down 120 150\n150 up 120 150\n";
constexpr const char* kQuizOn = "300 down 75 20\n350 up 75 20\n";

bool SamePixels(const platform::Surface& a, const platform::Surface& b) {
    return a.width == b.width && a.height == b.height && a.pixels == b.pixels;
}

// What short runs log, as "MS what": the opening sound before anything else and the title
// whole in the first paint; the title giving way to the game on the press, not the release, but
// not to a tap in one of its labels; the close button's click and the exit with 0.
TEST(SessionTest, TheOpeningTheTitlesTapAndTheCloseButtonAreLogged) {
    struct Case {
        std::string script;
        std::vector<std::string> logged;
        const char* never;
    } cases[] = {
        {"", {"0 sound 20006", "0 paint 0 0 240 320", "1000 exit 0"}, "sound 20003"},
        {"100 down 120 150\n900 up 120 150\n",
         {"100 sound 20003", "100 paint 0 0 240 320"},
         "\n900 "},
        {"100 down 50 305\n110 up 50 305\n200 down 170 306\n210 up 170 306\n", {}, "sound 20003"},
        {std::string(kOpenGame) + "400 down 227 13\n410 up 227 13\n5000 down 100 100\n",
         {"400 sound 20000", "400 exit 0"},
         "5000"},
    };
    for (const Case& c : cases) {
        Session s = RunSession(c.script, 0, true);
        EXPECT_EQ(s.log.rfind("0 sound 20006\n", 0), 0u) << s.log;
        for (const std::string& line : c.logged)
            EXPECT_TRUE(s.Logged(line)) << line << "\n" << s.log;
        EXPECT_EQ(s.log.find(c.never), std::string::npos) << s.log;
        EXPECT_EQ(s.exitCode, 0);
    }
}

TEST(SessionTest, AWholeSessionOfCardsAndQuizPlaysThrough) {
    std::string script = kOpenGame;
    uint32_t t = 300;
    auto tap = [&](int x, int y) {
        std::string at = " " + std::to_string(x) + " " + std::to_string(y) + "\n";
        script += std::to_string(t) + " down" + at + std::to_string(t + 40) + " up" + at;
        t += 700;  // slower than a double click
    };
    for (int i = 0; i < 30; ++i) tap(i % 3 ? 170 : 70, 282);  // arrows
    tap(75, 20);                                              // quiz on
    for (int round = 0; round < 40; ++round) {
        tap(180, 60);   // top right
        tap(180, 260);  // bottom right
        tap(90, 260);   // bottom left
        t += 2200;      // a reward, if one of them was right
    }
    tap(75, 20);  // quiz off
    Session s = RunSession(script, 777);
    EXPECT_EQ(s.exitCode, 0);
    EXPECT_NE(s.log.find("sound 20002"), std::string::npos);
    EXPECT_NE(s.log.find("sound 20007"), std::string::npos);
}

// Everything the platform keeps goes with Stop: a run after another in the same process logs and
// shows what it does as a process of its own. The first run ends mid-game, a quiz round answered
// and the stylus held down where the second run begins by tapping, at once: were the first
// press remembered, the tap would become a double click, which the title does not take.
TEST(SessionTest, TwoRunsInOneProcessGoAsTwoProcessesDo) {
    struct Run {
        std::string script;
        uint32_t startTick;
        uint32_t until;
        const char* shot;
    } runs[] = {
        {std::string(kOpenGame) + kQuizOn +
             "500 shot quiz\n600 down 180 60\n640 up 180 60\n900 down 60 280\n",
         1000, 1000, "quiz"},
        {"0 down 60 280\n40 up 60 280\n50 shot card\n", 2000, 400, "card"},
    };
    Session inProcess[2];
    for (int i = 0; i < 2; ++i)
        inProcess[i] = RunSession(runs[i].script, runs[i].startTick, true, runs[i].until);
    EXPECT_TRUE(inProcess[1].Logged("0 sound 20003")) << inProcess[1].log;
    ScratchFolder folder;
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        std::string script = (folder.path / ("run" + std::to_string(i) + ".txt")).string();
        std::ofstream(script) << runs[i].script;
        Outcome alone =
            RunQuillby("--headless --trace --script " + script + " --start-tick " +
                       std::to_string(runs[i].startTick) + " --until " +
                       std::to_string(runs[i].until) + " --shots " + folder.path.string());
        EXPECT_EQ(alone.code, inProcess[i].exitCode);
        EXPECT_EQ(alone.out, inProcess[i].log);
        platform::Surface shown;
        ASSERT_TRUE(platform::ReadPng((folder.path / runs[i].shot).string() + ".png", shown));
        EXPECT_TRUE(SamePixels(inProcess[i].Shot(runs[i].shot), shown));
    }
}

// The title, the first card and the first quiz round for one start tick, pixel for pixel.
// QUILLBY_UPDATE_PICTURES=1 writes them anew.
TEST(SessionTest, GoldenScreenshots) {
    Session s = RunSession(std::string("50 shot title\n") + kOpenGame + "200 shot card\n" +
                               kQuizOn + "400 shot quiz\n",
                           2026);
    bool update = std::getenv("QUILLBY_UPDATE_PICTURES") != nullptr;
    for (const char* name : {"title", "card", "quiz"}) {
        std::string golden = std::string("tests/golden/") + name + ".png";
        platform::Surface shot = s.Shot(name);
        ASSERT_EQ(shot.width, 240) << name;
        if (update) platform::WritePng(golden, shot);
        platform::Surface expected;
        ASSERT_TRUE(platform::ReadPng(golden, expected)) << golden;
        EXPECT_TRUE(SamePixels(shot, expected)) << name << " differs from " << golden;
    }
}

// In each other language, the last card of the ring (a step back from A: that alphabet's last
// small letter, ü or z) and the first quiz round, pixel for pixel.
TEST(SessionTest, GoldenScreenshotsInEachLanguage) {
    const struct {
        const char* code;
        uint16_t language;
    } languages[] = {{"de", 0x0407}, {"fr", 0x040C}, {"es", 0x040A}, {"it", 0x0410}};
    bool update = std::getenv("QUILLBY_UPDATE_PICTURES") != nullptr;
    for (const auto& language : languages) {
        Session s = RunSession(std::string(kOpenGame) + "200 down 70 282\n240 up 70 282\n" +
                                   "280 shot card\n" + kQuizOn + "500 shot quiz\n",
                               2026, false, std::nullopt, false, language.language);
        for (const char* name : {"card", "quiz"}) {
            std::string golden = std::string("tests/golden/") + name + "-" + language.code + ".png";
            platform::Surface shot = s.Shot(name);
            ASSERT_EQ(shot.width, 240) << golden;
            if (update) platform::WritePng(golden, shot);
            platform::Surface expected;
            ASSERT_TRUE(platform::ReadPng(golden, expected)) << golden;
            EXPECT_TRUE(SamePixels(shot, expected)) << golden << " differs";
        }
    }
}

}  // namespace
