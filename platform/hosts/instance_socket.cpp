// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The hand-over at the instance socket (what it is for, depends on and cannot do:
// instance_socket.h).
#include "platform/hosts/instance_socket.h"

#include <errno.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>

namespace platform {
namespace {

// What a running copy says to every caller, and what a caller may say back.
constexpr char kGreeting[] = "quillby\n";
constexpr char kForwardRequest[] = "forward\n";
// Callers that connect and say nothing are dropped, oldest first, beyond this many.
constexpr size_t kMaxCallers = 4;
// Callers the system queues until the copy takes them: a storm of launches, all at once.
constexpr int kQueuedCallers = 32;

// The endpoint listening in this process, for RemoveListeningEndpoint: a fixed buffer, so that
// removing it needs no allocation at a sudden end.
struct Listening {
    char path[sizeof(sockaddr_un::sun_path)] = {};
    ino_t inode = 0;
};
Listening& ListeningNow() {
    static Listening listening;
    return listening;
}

bool Fill(const std::string& path, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

// Removes the socket file at `path` if it is the one with this inode.
void RemoveIfOurs(const char* path, ino_t inode) {
    struct stat st;
    if (stat(path, &st) == 0 && st.st_ino == inode) unlink(path);
}

// Removes whatever socket file is at `path` (never another kind of file).
void RemoveSocketFile(const std::string& path) {
    struct stat st;
    if (lstat(path.c_str(), &st) == 0 && S_ISSOCK(st.st_mode)) unlink(path.c_str());
}

}  // namespace

void RemoveListeningEndpoint() {
    Listening& l = ListeningNow();
    if (l.path[0]) RemoveIfOurs(l.path, l.inode);
    l.path[0] = 0;
}

namespace instance {

bool Caller::LookForGreeting() {
    struct stat st;
    bool there = stat(path_.c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
    // A copy that took the socket over since we called is the one to ask.
    if (fd_ >= 0 && (!there || st.st_ino != inode_)) HangUp();
    if (fd_ < 0) {
        sockaddr_un address;
        if (!there || !Fill(path_, address)) return false;
        // Without blocking: the queue of callers of a copy that stopped answering may be full.
        int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (fd < 0) return false;
        // Refused (nobody listens yet, or any more) or a full queue: look again later.
        if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            close(fd);
            return false;
        }
        fd_ = fd;
        inode_ = st.st_ino;
        greeted_ = 0;
    }
    char said[sizeof kGreeting - 1];
    ssize_t n = recv(fd_, said, sizeof said - greeted_, 0);
    if (n > 0 && std::memcmp(said, kGreeting + greeted_, size_t(n)) == 0) {
        greeted_ += size_t(n);
        return greeted_ == sizeof said;
    }
    // What it said is no greeting, or it hung up (a copy drops callers beyond a few).
    if (n >= 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) HangUp();
    return false;
}

void Caller::AwaitWords(int ms) const {
    if (fd_ >= 0) {
        pollfd p{fd_, POLLIN, 0};
        (void)poll(&p, 1, ms);
    } else {
        usleep(useconds_t(ms) * 1000);
    }
}

bool Caller::AskForward() {
    if (fd_ < 0) return false;
    ssize_t sent = send(fd_, kForwardRequest, sizeof kForwardRequest - 1, MSG_NOSIGNAL);
    HangUp();
    return sent == ssize_t(sizeof kForwardRequest - 1);
}

void Caller::HangUp() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    greeted_ = 0;
}

bool Listener::Listen() {
    sockaddr_un address;
    if (fd_ >= 0) return true;
    if (!Fill(path_, address)) return false;
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return false;
    // What is there was left by a copy that died or hangs: the lock's holder alone gets here.
    RemoveSocketFile(path_);
    struct stat st;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(fd, kQueuedCallers) != 0 || stat(path_.c_str(), &st) != 0) {
        close(fd);
        return false;
    }
    (void)chmod(path_.c_str(), 0600);  // the folder guards it already
    inode_ = st.st_ino;
    fd_ = fd;
    Listening& l = ListeningNow();
    std::memcpy(l.path, path_.c_str(), path_.size() + 1);
    l.inode = st.st_ino;
    return true;
}

void Listener::Close() {
    for (int fd : callers_) close(fd);
    callers_.clear();
    if (fd_ < 0) return;
    close(fd_);
    fd_ = -1;
    // Only our own socket file: a copy started after us may have replaced it.
    RemoveIfOurs(path_.c_str(), ino_t(inode_));
    Listening& l = ListeningNow();
    if (l.inode == ino_t(inode_) && path_ == l.path) l.path[0] = 0;
}

bool Listener::TakeForwardRequest() {
    if (fd_ < 0) return false;
    for (;;) {
        int fd = accept4(fd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) break;
        // The greeting tells the caller that this copy is alive; a caller that has gone
        // already is found out below.
        (void)send(fd, kGreeting, sizeof kGreeting - 1, MSG_NOSIGNAL);
        if (callers_.size() == kMaxCallers) {
            close(callers_.front());
            callers_.erase(callers_.begin());
        }
        callers_.push_back(fd);
    }
    bool asked = false;
    for (size_t i = 0; i < callers_.size();) {
        char buffer[64];
        ssize_t got = recv(callers_[i], buffer, sizeof buffer, 0);
        if (got > 0) {
            // One request per caller is all the protocol has.
            asked = asked || std::memchr(buffer, '\n', size_t(got)) != nullptr;
            continue;
        }
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
            ++i;
            continue;
        }
        close(callers_[i]);  // the caller hung up (or failed): done with it
        callers_.erase(callers_.begin() + std::ptrdiff_t(i));
    }
    return asked;
}

std::vector<int> Listener::Descriptors() const {
    std::vector<int> fds;
    if (fd_ < 0) return fds;
    fds.push_back(fd_);
    fds.insert(fds.end(), callers_.begin(), callers_.end());
    return fds;
}

}  // namespace instance
}  // namespace platform
