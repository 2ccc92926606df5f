// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// One Quillby per user and display (what it is for, depends on and cannot do:
// desktop_instance.h).
#include "platform/hosts/desktop_instance.h"

#include <sys/file.h>
#include <unistd.h>

#include <utility>

#include "platform/hosts/instance_lock.h"
#include "platform/hosts/silent_holder.h"

namespace platform {
namespace {

// How often a launch looks for the greeting, and for the lock's holder having ended.
constexpr int kLookMs = 20;

}  // namespace

InstanceEndpoint::InstanceEndpoint(std::string socketPath, int quietLimitMs, int startLimitMs)
    : path_(std::move(socketPath)),
      quietLimitMs_(quietLimitMs),
      startLimitMs_(startLimitMs),
      other_(path_),
      listener_(path_) {}

InstanceEndpoint::~InstanceEndpoint() {
    // The socket file goes before the lock, which a launch may take as soon as it is free.
    other_.HangUp();
    listener_.Close();
    if (lock_ >= 0) close(lock_);
}

InstanceEndpoint::Found InstanceEndpoint::Claim() {
    if (claimed_) return found_;
    claimed_ = true;
    bool hung = false;
    for (int index = 0; index < instance::kLocks;) {
        int fd = instance::OpenLock(path_, index, true);
        if (fd < 0) break;
        bool mine = flock(fd, LOCK_EX | LOCK_NB) == 0;
        if (!mine) {
            Wait waited = AwaitGreeting(fd);
            if (waited == Wait::kGreeted) {
                close(fd);
                return found_ = Found::kRunning;
            }
            mine = waited == Wait::kFreed;
        }
        if (!mine) {
            close(fd);
            hung = true;
            ++index;
            continue;
        }
        // A copy that took over from a hung one holds a later lock, and the socket.
        int later = instance::HeldAfter(path_, index);
        if (later < 0) {
            lock_ = fd;
            instance::SignLock(fd);
            break;
        }
        close(fd);
        index = later;
    }
    return found_ = hung ? Found::kHung : Found::kNone;
}

InstanceEndpoint::Wait InstanceEndpoint::AwaitGreeting(int fd) {
    instance::SilentHolder holder(quietLimitMs_, startLimitMs_);
    for (;;) {
        if (other_.LookForGreeting()) return Wait::kGreeted;
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
            other_.HangUp();
            return Wait::kFreed;
        }
        if (holder.GivenUp(instance::LockHolder(fd))) {
            other_.HangUp();
            return Wait::kSilent;
        }
        other_.AwaitWords(kLookMs);
    }
}

bool InstanceEndpoint::AskOtherForward() {
    if (found_ != Found::kRunning) return false;
    return other_.AskForward();
}

bool InstanceEndpoint::Listen() {
    return lock_ >= 0 && listener_.Listen();
}

}  // namespace platform
