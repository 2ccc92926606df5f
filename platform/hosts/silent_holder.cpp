// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// A silent holder of the instance lock (what it is for, depends on and cannot do:
// silent_holder.h).
#include "platform/hosts/silent_holder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace platform::instance {

std::optional<unsigned long long> ProcessorTime(long pid) {
    if (pid <= 0) return std::nullopt;
    // The main thread's alone: the program starts and runs its game there, while other threads
    // of a copy that hangs (its sound's, SDL's) may go on using the processor.
    std::string thread = std::to_string(pid);
    int stat =
        open(("/proc/" + thread + "/task/" + thread + "/stat").c_str(), O_RDONLY | O_CLOEXEC);
    if (stat < 0) return std::nullopt;
    char text[512] = {};
    ssize_t n = read(stat, text, sizeof text - 1);
    close(stat);
    text[n > 0 ? n : 0] = 0;
    // After the name in parentheses: the state, ten fields, then user and system time.
    const char* fields = std::strrchr(text, ')');
    char state = 0;
    unsigned long long user = 0, system = 0;
    if (!fields || std::sscanf(fields + 1, " %c %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %llu %llu",
                               &state, &user, &system) != 3)
        return std::nullopt;
    if (std::strchr("TtZX", state)) return std::nullopt;
    return user + system;
}

SilentHolder::SilentHolder(int quietLimitMs, int startLimitMs)
    : quietLimit_(quietLimitMs), startLimit_(startLimitMs), start_(Clock::now()), moved_(start_) {}

bool SilentHolder::GivenUp(long pid) {
    Clock::time_point now = Clock::now();
    std::optional<unsigned long long> time = ProcessorTime(pid);
    if (time && used_ && *time > *used_) moved_ = now;
    used_ = time;
    return now - moved_ >= quietLimit_ || now - start_ >= startLimit_;
}

}  // namespace platform::instance
