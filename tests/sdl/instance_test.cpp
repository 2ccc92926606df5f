// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "platform/sdl/instance.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

namespace {

using platform::InstanceEndpoint;

class InstanceTest : public ::testing::Test {
  protected:
    void TearDown() override { std::filesystem::remove(path); }
    std::string path = "/tmp/quillby-instance-test-" + std::to_string(getpid()) + ".sock";
};

TEST_F(InstanceTest, ASecondCopyFindsTheFirstAndAsksItForwardOnce) {
    InstanceEndpoint first(path);
    EXPECT_FALSE(first.FindOther());
    ASSERT_TRUE(first.Listen());
    {
        InstanceEndpoint second(path);
        EXPECT_FALSE(second.Listen());  // a live copy is not taken over
        ASSERT_TRUE(second.FindOther());
        EXPECT_TRUE(second.AskOtherForward());
    }
    EXPECT_TRUE(first.TakeForwardRequest());
    EXPECT_FALSE(first.TakeForwardRequest());
    {
        InstanceEndpoint looking(path);  // leaves without asking
        EXPECT_TRUE(looking.FindOther());
    }
    EXPECT_FALSE(first.TakeForwardRequest());
}

TEST_F(InstanceTest, ASocketLeftByACopyThatDiedIsTakenOverAndRemovedAtTheEnd) {
    for (bool lookFirst : {true, false}) {
        // What a crashed copy leaves: a bound socket file with nobody listening on it.
        int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strcpy(address.sun_path, path.c_str());
        ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        close(fd);
        {
            InstanceEndpoint next(path);
            EXPECT_FALSE(lookFirst && next.FindOther());
            ASSERT_TRUE(next.Listen()) << lookFirst;
            InstanceEndpoint another(path);
            EXPECT_TRUE(another.FindOther());
        }
        EXPECT_FALSE(std::filesystem::exists(path));
    }
}

}  // namespace
