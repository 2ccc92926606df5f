// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// One Quillby per user and display (what it is for, depends on and cannot do: instance.h).
#include "platform/sdl/instance.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace platform {
namespace {

// What a running copy says to every caller, and what a caller may say back.
constexpr char kGreeting[] = "quillby\n";
constexpr char kForwardRequest[] = "forward\n";
// Callers that connect and say nothing are dropped, oldest first, beyond this many.
constexpr size_t kMaxCallers = 4;

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

// A folder of ours alone: made 0700 if missing; refused if it is a link or someone else's.
bool PrivateFolder(const std::string& dir) {
    if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return false;
    struct stat st;
    if (lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid()) return false;
    if ((st.st_mode & 0777) != 0700 && chmod(dir.c_str(), 0700) != 0) return false;
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

std::string DisplayKey(const std::string& videoDriver, const char* x11Display,
                       const char* waylandDisplay) {
    std::string key;
    if (videoDriver == "x11") {
        std::string name = x11Display ? x11Display : "";
        size_t colon = name.rfind(':');
        size_t dot = name.find('.', colon == std::string::npos ? 0 : colon);
        if (colon != std::string::npos && dot != std::string::npos) name.erase(dot);
        if (name.starts_with("unix:")) name.erase(0, 4);
        key = "x11-" + name;
    } else if (videoDriver == "wayland") {
        key = std::string("wayland-") +
              (waylandDisplay && *waylandDisplay ? waylandDisplay : "wayland-0");
    } else {
        key = videoDriver;
    }
    // A name from the environment may hold slashes (a Wayland socket's full path, a display
    // on a path): the key is one file name.
    for (char& c : key)
        if (c == '/') c = '_';
    return key;
}

std::string InstanceSocketPath(const std::string& displayKey) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat st;
    if (runtime && runtime[0] == '/' && stat(runtime, &st) == 0 && S_ISDIR(st.st_mode) &&
        st.st_uid == getuid())
        return std::string(runtime) + "/quillby-" + displayKey + ".sock";
    std::string dir = "/tmp/quillby-" + std::to_string(getuid());
    return PrivateFolder(dir) ? dir + "/" + displayKey + ".sock" : std::string();
}

void RemoveListeningEndpoint() {
    Listening& l = ListeningNow();
    if (l.path[0]) RemoveIfOurs(l.path, l.inode);
    l.path[0] = 0;
}

InstanceEndpoint::InstanceEndpoint(std::string path) : path_(std::move(path)) {}

InstanceEndpoint::~InstanceEndpoint() {
    for (int fd : callers_) close(fd);
    if (other_ >= 0) close(other_);
    if (listener_ < 0) return;
    close(listener_);
    // Only our own socket file: a copy started after us may have replaced it.
    RemoveIfOurs(path_.c_str(), ino_t(inode_));
    Listening& l = ListeningNow();
    if (l.inode == ino_t(inode_) && path_ == l.path) l.path[0] = 0;
}

bool InstanceEndpoint::FindOther() {
    sockaddr_un address;
    if (other_ >= 0 || !Fill(path_, address)) return other_ >= 0;
    otherSilent_ = false;
    // Without blocking: a copy that stopped answering long ago may have a full queue of callers.
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return false;
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        int error = errno;
        close(fd);
        // Refused: the file is there but nobody listens; the copy that made it has died.
        if (error == ECONNREFUSED) RemoveSocketFile(path_);
        // Its queue of callers is full: it has not taken one for a long time.
        otherSilent_ = error == EAGAIN;
        return false;
    }
    // A running copy greets every caller at its next look at its queue.
    char greeting[sizeof kGreeting - 1];
    size_t got = 0;
    pollfd p{fd, POLLIN, 0};
    while (got < sizeof greeting && poll(&p, 1, kAnswerMs) > 0) {
        ssize_t n = recv(fd, greeting + got, sizeof greeting - got, 0);
        if (n <= 0 && !(n < 0 && (errno == EAGAIN || errno == EINTR))) break;
        if (n > 0) got += size_t(n);
    }
    if (got == sizeof greeting && std::memcmp(greeting, kGreeting, got) == 0) {
        other_ = fd;
        return true;
    }
    close(fd);
    otherSilent_ = true;
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
    auto bound = [&] { return bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address); };
    if (bound() != 0) {
        // In use: by a copy that answers (then it stays), or one that died or hangs (then the
        // path is ours: the hung copy keeps its socket, which nobody finds any more).
        bool inUse = errno == EADDRINUSE;
        bool taken = inUse && (otherSilent_ || !FindOther());
        if (other_ >= 0) {
            close(other_);
            other_ = -1;
        }
        if (taken) RemoveSocketFile(path_);
        if (!taken || bound() != 0) {
            close(fd);
            return false;
        }
    }
    struct stat st;
    if (listen(fd, 8) != 0 || stat(path_.c_str(), &st) != 0) {
        close(fd);
        return false;
    }
    (void)chmod(path_.c_str(), 0600);  // the folder guards it already
    inode_ = st.st_ino;
    listener_ = fd;
    Listening& l = ListeningNow();
    std::memcpy(l.path, path_.c_str(), path_.size() + 1);
    l.inode = st.st_ino;
    return true;
}

bool InstanceEndpoint::TakeForwardRequest() {
    if (listener_ < 0) return false;
    for (;;) {
        int fd = accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
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

std::vector<int> InstanceEndpoint::Descriptors() const {
    std::vector<int> fds;
    if (listener_ < 0) return fds;
    fds.push_back(listener_);
    fds.insert(fds.end(), callers_.begin(), callers_.end());
    return fds;
}

}  // namespace platform
