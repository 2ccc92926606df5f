// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "platform/sdl/instance.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace platform {
namespace {

constexpr char kForwardRequest[] = "forward\n";
// Callers that connect and say nothing are dropped, oldest first, beyond this many.
constexpr size_t kMaxCallers = 4;

bool Fill(const std::string& path, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

int NewSocket() {
    return socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
}

// A folder of ours alone: made 0700 if missing; refused if it is a link or someone else's.
bool PrivateFolder(const std::string& dir) {
    if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return false;
    struct stat st;
    if (lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid()) return false;
    if ((st.st_mode & 0777) != 0700 && chmod(dir.c_str(), 0700) != 0) return false;
    return true;
}

}  // namespace

std::string InstanceSocketPath() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat st;
    if (runtime && runtime[0] == '/' && stat(runtime, &st) == 0 && S_ISDIR(st.st_mode) &&
        st.st_uid == getuid())
        return std::string(runtime) + "/quillby.sock";
    std::string dir = "/tmp/quillby-" + std::to_string(getuid());
    return PrivateFolder(dir) ? dir + "/instance.sock" : std::string();
}

InstanceEndpoint::InstanceEndpoint(std::string path) : path_(std::move(path)) {}

InstanceEndpoint::~InstanceEndpoint() {
    for (int fd : callers_) close(fd);
    if (other_ >= 0) close(other_);
    if (listener_ >= 0) {
        close(listener_);
        // Only our own socket file: a copy started after us may have replaced it.
        struct stat st;
        if (stat(path_.c_str(), &st) == 0 && st.st_ino == inode_) unlink(path_.c_str());
    }
}

bool InstanceEndpoint::FindOther() {
    sockaddr_un address;
    if (other_ >= 0 || !Fill(path_, address)) return other_ >= 0;
    int fd = NewSocket();
    if (fd < 0) return false;
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
        other_ = fd;
        return true;
    }
    int error = errno;
    close(fd);
    // Refused: the file is there but nobody listens; the copy that made it has died.
    struct stat st;
    if (error == ECONNREFUSED && lstat(path_.c_str(), &st) == 0 && S_ISSOCK(st.st_mode))
        unlink(path_.c_str());
    return false;
}

bool InstanceEndpoint::AskOtherForward() {
    if (other_ < 0) return false;
    ssize_t sent = send(other_, kForwardRequest, sizeof kForwardRequest - 1, MSG_NOSIGNAL);
    close(other_);
    other_ = -1;
    return sent == ssize_t(sizeof kForwardRequest - 1);
}

bool InstanceEndpoint::Listen() {
    sockaddr_un address;
    if (listener_ >= 0) return true;
    if (!Fill(path_, address)) return false;
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return false;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 &&
        !(errno == EADDRINUSE && !FindOther() &&
          bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)) {
        // In use by a live copy (FindOther connected to it), or not ours to use at all.
        if (other_ >= 0) {
            close(other_);
            other_ = -1;
        }
        close(fd);
        return false;
    }
    struct stat st;
    if (listen(fd, 8) != 0 || stat(path_.c_str(), &st) != 0) {
        close(fd);
        return false;
    }
    (void)chmod(path_.c_str(), 0600);  // the folder guards it already
    inode_ = st.st_ino;
    listener_ = fd;
    return true;
}

bool InstanceEndpoint::TakeForwardRequest() {
    if (listener_ < 0) return false;
    for (;;) {
        int fd = accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) break;
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

}  // namespace platform
