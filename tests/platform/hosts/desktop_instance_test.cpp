// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Copies of the program meeting at the socket. The copies of a test are threads of one process,
// which always moves: what a holder's use of the processor changes, silent_holder_test's
// holders in processes of their own show.
#include "platform/hosts/desktop_instance.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <memory>
#include <thread>
#include <vector>

#include "tests/platform/hosts/instance_launch.h"

namespace {

using namespace instance_test;

// What a copy that died leaves at the path: a socket file nobody listens on.
void LeftByACopyThatDied(const std::string& path) {
    int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, path.c_str());
    EXPECT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    close(fd);
}

ino_t Inode(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

// A copy counts as alive while it starts, however many launches wait for it at once: they ask
// it forward and never listen themselves.
TEST_F(InstanceTest, LaunchesBesideACopyStillStartingWaitForItsGreetingAndAskItForward) {
    Launch first(path, /*startMs=*/kLimitMs / 2);
    ASSERT_TRUE(first.Decides()) << "the first launch";
    EXPECT_EQ(first.found(), Found::kNone);
    std::vector<std::unique_ptr<Launch>> impatient;
    for (int i = 0; i < 12; ++i) impatient.push_back(std::make_unique<Launch>(path));
    for (auto& launch : impatient) {
        ASSERT_TRUE(launch->Decides()) << "a launch beside the first";
        EXPECT_EQ(launch->found(), Found::kRunning);
        EXPECT_FALSE(launch->endpoint().Listen());
    }
    EXPECT_TRUE(Within(kDeadline, [&] { return first.forwards() >= 1; }))
        << "the first copy was not asked forward within " << kDeadline.count() << " ms";
}

TEST_F(InstanceTest, ACopyThatDiedBlocksNothingAndItsSocketGoesWithItsTaker) {
    LeftByACopyThatDied(path);
    {
        Launch next(path);
        ASSERT_TRUE(next.Listens()) << "the launch after a copy that died";
        EXPECT_EQ(next.found(), Found::kNone);
        EXPECT_LT(next.waited(), milliseconds(100));
    }
    EXPECT_FALSE(std::filesystem::exists(path));
    // One that dies while a launch waits for it, before it ever listened.
    auto dying = std::make_unique<InstanceEndpoint>(path, kLimitMs, kLimitMs);
    ASSERT_EQ(dying->Claim(), Found::kNone);
    Launch waiting(path);
    std::this_thread::sleep_for(milliseconds(kLimitMs / 3));
    dying.reset();
    ASSERT_TRUE(waiting.Listens()) << "the launch that waited for a copy that died";
    EXPECT_EQ(waiting.found(), Found::kNone);
    EXPECT_LT(waiting.waited(), milliseconds(kLimitMs));
}

// Stopped or hung: it holds the lock, but never greets, whether it listens or not, and however
// full its queue of callers. Launches that find it at once open one copy between them, although
// it takes that one a while to answer, and later launches find it at once, even after the hung
// one has gone.
TEST_F(InstanceTest, LaunchesBesideAHungCopyGiveItTheLimitThenOneOfThemRuns) {
    for (bool listens : {false, true}) {
        SCOPED_TRACE(listens);
        auto hung = std::make_unique<Launch>(path, listens ? 0 : -1, /*hang=*/true);
        ASSERT_TRUE(hung->Decides()) << "the copy that hangs";
        if (listens) {
            ASSERT_TRUE(hung->Listens()) << "the copy that hangs";
        }
        ino_t hungSocket = Inode(path);
        std::vector<std::unique_ptr<Launch>> launches;
        for (int i = 0; i < 40; ++i)
            launches.push_back(std::make_unique<Launch>(path, kLimitMs / 2));
        Launch* taker = nullptr;
        for (auto& launch : launches) {
            ASSERT_TRUE(launch->Decides()) << "a launch beside the copy that hangs";
            if (launch->found() == Found::kRunning) continue;
            EXPECT_EQ(launch->found(), Found::kHung);
            EXPECT_GE(launch->waited(), milliseconds(kLimitMs));
            EXPECT_EQ(taker, nullptr) << "a second copy ran beside the hung one";
            taker = launch.get();
        }
        ASSERT_NE(taker, nullptr) << "no launch ran beside the copy that hangs";
        ASSERT_TRUE(taker->Listens()) << "the launch that took over";
        EXPECT_NE(Inode(path), hungSocket);

        hung.reset();
        Launch later(path, -1);
        ASSERT_TRUE(later.Decides()) << "a launch after the hung copy had gone";
        EXPECT_EQ(later.found(), Found::kRunning);
        EXPECT_LT(later.waited(), milliseconds(kLimitMs));
        launches.clear();
        EXPECT_FALSE(std::filesystem::exists(path));
    }
}

// A sudden end removes the socket this copy still owns (the surroundings script's lost displays
// show it), and only that one.
TEST_F(InstanceTest, ASuddenEndLeavesTheSocketOfACopyThatTookThePathOver) {
    {
        InstanceEndpoint mine(path);
        ASSERT_EQ(mine.Claim(), Found::kNone);
        ASSERT_TRUE(mine.Listen());
        std::filesystem::remove(path);  // this one hung for a while, and another took over
        LeftByACopyThatDied(path);
        platform::RemoveListeningEndpoint();
        EXPECT_TRUE(std::filesystem::exists(path));
    }
    EXPECT_TRUE(std::filesystem::exists(path));  // nor when this one ends normally
}

TEST(InstanceSocketTest, EachDesktopHasItsOwnSocket) {
    struct Case {
        const char* x11;
        const char* wayland;
        const char* driver;
        const char* key;
    } cases[] = {
        {":0", nullptr, nullptr, "x11-:0"},
        {":0.1", "", nullptr, "x11-:0"},  // a display's screens are one desktop
        {":12", nullptr, "x11", "x11-:12"},
        {"unix:3.0", nullptr, nullptr, "x11-:3"},
        {"localhost:10.0", nullptr, nullptr, "x11-localhost:10"},
        {"/tmp/launch-x/org.xquartz:0", nullptr, nullptr, "x11-_tmp_launch-x_org.xquartz:0"},
        {":0", "wayland-1", nullptr, "wayland-wayland-1"},  // X programs show there too
        {":0", "wayland-1", "x11", "wayland-wayland-1"},
        {nullptr, nullptr, "wayland,x11", "wayland-wayland-0"},
        {nullptr, "/run/user/1000/wayland-0", nullptr, "wayland-_run_user_1000_wayland-0"},
        {":0", nullptr, "kmsdrm", "kmsdrm"},
        {":0", "wayland-0", "offscreen,x11", "offscreen"},  // draws on no desktop
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::DisplayKey(c.x11, c.wayland, c.driver), c.key) << c.key;
}

}  // namespace
