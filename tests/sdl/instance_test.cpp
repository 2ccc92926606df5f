// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "platform/sdl/instance.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

namespace {

using platform::InstanceEndpoint;

// A running copy: its endpoint listens, and its loop looks at its callers every millisecond.
class RunningCopy {
  public:
    explicit RunningCopy(const std::string& path) : endpoint(path) {
        listening = endpoint.Listen();
        loop = std::thread([this] {
            while (!stop) {
                if (endpoint.TakeForwardRequest()) forwards++;
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
    }
    ~RunningCopy() {
        stop = true;
        loop.join();
    }
    InstanceEndpoint endpoint;
    bool listening = false;
    std::atomic<int> forwards{0};

  private:
    std::atomic<bool> stop{false};
    std::thread loop;
};

// What a copy that crashed, stopped or hangs leaves at the path: a bound socket, listening
// (with room for `backlog` callers) or not at all, whose owner never takes a caller.
int SocketNobodyAnswers(const std::string& path, bool listens, int backlog = 8) {
    int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, path.c_str());
    EXPECT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    if (listens) {
        EXPECT_EQ(listen(fd, backlog), 0);
    }
    return fd;
}

ino_t Inode(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

class InstanceTest : public ::testing::Test {
  protected:
    void TearDown() override { std::filesystem::remove(path); }
    std::string path = "/tmp/quillby-instance-test-" + std::to_string(getpid()) + ".sock";
};

TEST_F(InstanceTest, ASecondCopyFindsTheFirstAndAsksItForwardOnce) {
    RunningCopy first(path);
    ASSERT_TRUE(first.listening);
    {
        InstanceEndpoint second(path);
        EXPECT_FALSE(second.Listen());  // a copy that answers is not taken over
        ASSERT_TRUE(second.FindOther());
        EXPECT_TRUE(second.AskOtherForward());
    }
    {
        InstanceEndpoint looking(path);  // leaves without asking
        EXPECT_TRUE(looking.FindOther());
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(first.forwards, 1);
}

TEST_F(InstanceTest, ACopyThatDiedIsTakenOverAtOnceAndTheSocketGoesWithItsTaker) {
    for (bool lookFirst : {true, false}) {
        SCOPED_TRACE(lookFirst);
        close(SocketNobodyAnswers(path, false));
        {
            InstanceEndpoint next(path);
            auto start = std::chrono::steady_clock::now();
            EXPECT_FALSE(lookFirst && next.FindOther());
            EXPECT_FALSE(next.otherSilent());
            ASSERT_TRUE(next.Listen());
            EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
        }
        EXPECT_FALSE(std::filesystem::exists(path));
    }
}

// Stopped with SIGSTOP, or hung: the socket listens but nobody takes a caller. With room in
// its queue a caller waits for the greeting in vain; with its queue full it cannot even call.
// (The launches themselves, beside a stopped copy: tests/sdl/desktop_surroundings.sh.)
TEST_F(InstanceTest, ACopyThatDoesNotAnswerIsGivenHalfASecondThenTakenOver) {
    for (bool queueFull : {false, true}) {
        SCOPED_TRACE(queueFull);
        int hung = SocketNobodyAnswers(path, true, 0);
        InstanceEndpoint filler(path);
        if (queueFull) filler.FindOther();  // takes the one place in the queue
        ino_t hungFile = Inode(path);
        {
            InstanceEndpoint next(path);
            auto start = std::chrono::steady_clock::now();
            EXPECT_FALSE(next.FindOther());
            auto waited = std::chrono::steady_clock::now() - start;
            EXPECT_TRUE(next.otherSilent());
            EXPECT_LT(waited, std::chrono::milliseconds(InstanceEndpoint::kAnswerMs + 500));
            if (!queueFull) {
                EXPECT_GE(waited, std::chrono::milliseconds(InstanceEndpoint::kAnswerMs));
            }
            ASSERT_TRUE(next.Listen());
            EXPECT_NE(Inode(path), hungFile);
        }
        EXPECT_FALSE(std::filesystem::exists(path));
        close(hung);
    }
}

// A sudden end removes the socket this copy still owns (the surroundings script's lost displays
// show it), and only that one.
TEST_F(InstanceTest, ASuddenEndLeavesTheSocketOfACopyThatTookThePathOver) {
    {
        InstanceEndpoint mine(path);
        ASSERT_TRUE(mine.Listen());
        std::filesystem::remove(path);  // this one hung for a while, and another took over
        int theirs = SocketNobodyAnswers(path, true);
        platform::RemoveListeningEndpoint();
        EXPECT_TRUE(std::filesystem::exists(path));
        close(theirs);
    }
    EXPECT_TRUE(std::filesystem::exists(path));  // nor when this one ends normally
}

TEST(InstanceSocketTest, EachDisplayHasItsOwnSocket) {
    struct Case {
        const char* driver;
        const char* x11;
        const char* wayland;
        const char* key;
    } cases[] = {
        {"x11", ":0", nullptr, "x11-:0"},
        {"x11", ":0.1", "wayland-0", "x11-:0"},  // a display's screens are one desktop
        {"x11", ":12", nullptr, "x11-:12"},
        {"x11", "unix:3.0", nullptr, "x11-:3"},
        {"x11", "localhost:10.0", nullptr, "x11-localhost:10"},
        {"x11", "/tmp/launch-x/org.xquartz:0", nullptr, "x11-_tmp_launch-x_org.xquartz:0"},
        {"wayland", ":0", "wayland-1", "wayland-wayland-1"},
        {"wayland", nullptr, nullptr, "wayland-wayland-0"},
        {"wayland", nullptr, "/run/user/1000/wayland-0", "wayland-_run_user_1000_wayland-0"},
        {"kmsdrm", nullptr, nullptr, "kmsdrm"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::DisplayKey(c.driver, c.x11, c.wayland), c.key) << c.x11;
}

}  // namespace
