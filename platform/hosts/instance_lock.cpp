// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The instance's lock files (what they are for, depend on and cannot do: instance_lock.h).
#include "platform/hosts/instance_lock.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>

namespace platform::instance {
namespace {

std::string LockPath(const std::string& socketPath, int index) {
    std::string base = socketPath;
    if (base.ends_with(".sock")) base.resize(base.size() - 5);
    return base + (index ? "-" + std::to_string(index) : std::string()) + ".lock";
}

}  // namespace

int OpenLock(const std::string& socketPath, int index, bool make) {
    int flags = (make ? O_RDWR | O_CREAT : O_RDONLY) | O_CLOEXEC | O_NOFOLLOW;
    return open(LockPath(socketPath, index).c_str(), flags, 0600);
}

void SignLock(int fd) {
    std::string pid = std::to_string(getpid()) + "\n";
    if (ftruncate(fd, 0) == 0) (void)!pwrite(fd, pid.data(), pid.size(), 0);
}

long LockHolder(int fd) {
    char text[32] = {};
    ssize_t n = pread(fd, text, sizeof text - 1, 0);
    long pid = n > 0 ? std::strtol(text, nullptr, 10) : 0;
    return pid > 0 ? pid : 0;
}

int HeldAfter(const std::string& socketPath, int index) {
    for (int later = kLocks - 1; later > index; --later) {
        int fd = OpenLock(socketPath, later, false);
        if (fd < 0) continue;
        bool held = flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
        close(fd);
        if (held) return later;
    }
    return -1;
}

}  // namespace platform::instance
