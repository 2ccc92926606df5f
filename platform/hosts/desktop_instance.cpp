// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// One Quillby per user and display (what it is for, depends on and cannot do: instance.h).
#include "platform/hosts/desktop_instance.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <utility>

namespace platform {
namespace {

// What a running copy says to every caller, and what a caller may say back.
constexpr char kGreeting[] = "quillby\n";
constexpr char kForwardRequest[] = "forward\n";
// Callers that connect and say nothing are dropped, oldest first, beyond this many.
constexpr size_t kMaxCallers = 4;
// Callers the system queues until the copy takes them: a storm of launches, all at once.
constexpr int kQueuedCallers = 32;
// How many copies in a row may hang before a launch runs on its own: one lock each.
constexpr int kLocks = 8;
// How often a launch looks for the greeting, and for the lock's holder having ended.
constexpr int kLookMs = 20;

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

// The lock files beside the socket: KEY.lock, then KEY-1.lock... for copies that took over from
// hung ones. Never removed: a lock file's name is all that several launches meet at.
std::string LockPath(const std::string& socketPath, int index) {
    std::string base = socketPath;
    if (base.ends_with(".sock")) base.resize(base.size() - 5);
    return base + (index ? "-" + std::to_string(index) : std::string()) + ".lock";
}

int OpenLock(const std::string& socketPath, int index, bool make) {
    int flags = (make ? O_RDWR | O_CREAT : O_RDONLY) | O_CLOEXEC | O_NOFOLLOW;
    return open(LockPath(socketPath, index).c_str(), flags, 0600);
}

// The holder of a lock writes its process number into it, for launches that wait.
void SignLock(int fd) {
    std::string pid = std::to_string(getpid()) + "\n";
    if (ftruncate(fd, 0) == 0) (void)!pwrite(fd, pid.data(), pid.size(), 0);
}

// The processor time, in clock ticks, that the process named in lock file `fd` has used; none
// when it is stopped, gone or not named yet.
std::optional<unsigned long long> HolderProcessorTime(int fd) {
    char text[512] = {};
    ssize_t n = pread(fd, text, 31, 0);
    long pid = n > 0 ? std::strtol(text, nullptr, 10) : 0;
    if (pid <= 0) return std::nullopt;
    int stat = open(("/proc/" + std::to_string(pid) + "/stat").c_str(), O_RDONLY | O_CLOEXEC);
    if (stat < 0) return std::nullopt;
    n = read(stat, text, sizeof text - 1);
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

// The last lock after `index` that a copy holds, or -1. Tried shared, so that two launches
// looking at once do not take each other for holders.
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

}  // namespace

std::string DisplayKey(const char* x11Display, const char* waylandDisplay,
                       const char* videoDriver) {
    auto set = [](const char* value) { return value && *value; };
    // SDL tries a list of drivers in order: the first is the one asked for.
    std::string driver = set(videoDriver) ? videoDriver : "";
    driver.erase(std::min(driver.find(','), driver.size()));
    std::string key;
    if (!driver.empty() && driver != "x11" && driver != "wayland") {
        key = driver;
    } else if (set(waylandDisplay) || driver == "wayland") {
        // X programs in a Wayland session show on the same desktop.
        key = std::string("wayland-") + (set(waylandDisplay) ? waylandDisplay : "wayland-0");
    } else {
        std::string name = set(x11Display) ? x11Display : "";
        size_t colon = name.rfind(':');
        size_t dot = name.find('.', colon == std::string::npos ? 0 : colon);
        if (colon != std::string::npos && dot != std::string::npos) name.erase(dot);
        if (name.starts_with("unix:")) name.erase(0, 4);
        key = "x11-" + name;
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

InstanceEndpoint::InstanceEndpoint(std::string socketPath, int quietLimitMs, int startLimitMs)
    : path_(std::move(socketPath)), quietLimitMs_(quietLimitMs), startLimitMs_(startLimitMs) {}

InstanceEndpoint::~InstanceEndpoint() {
    for (int fd : callers_) close(fd);
    DropOther();
    if (listener_ >= 0) {
        close(listener_);
        // Only our own socket file: a copy started after us may have replaced it.
        RemoveIfOurs(path_.c_str(), ino_t(inode_));
        Listening& l = ListeningNow();
        if (l.inode == ino_t(inode_) && path_ == l.path) l.path[0] = 0;
    }
    if (lock_ >= 0) close(lock_);
}

InstanceEndpoint::Found InstanceEndpoint::Claim() {
    if (claimed_) return found_;
    claimed_ = true;
    bool hung = false;
    for (int index = 0; index < kLocks;) {
        int fd = OpenLock(path_, index, true);
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
        int later = HeldAfter(path_, index);
        if (later < 0) {
            lock_ = fd;
            SignLock(fd);
            break;
        }
        close(fd);
        index = later;
    }
    return found_ = hung ? Found::kHung : Found::kNone;
}

InstanceEndpoint::Wait InstanceEndpoint::AwaitGreeting(int fd) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    Clock::time_point moved = start;
    std::optional<unsigned long long> used;
    for (;;) {
        if (LookForGreeting()) return Wait::kGreeted;
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
            DropOther();
            return Wait::kFreed;
        }
        Clock::time_point now = Clock::now();
        std::optional<unsigned long long> time = HolderProcessorTime(fd);
        if (time && used && *time > *used) moved = now;
        used = time;
        if (now - moved >= std::chrono::milliseconds(quietLimitMs_) ||
            now - start >= std::chrono::milliseconds(startLimitMs_)) {
            DropOther();
            return Wait::kSilent;
        }
        if (other_ >= 0) {
            pollfd p{other_, POLLIN, 0};
            (void)poll(&p, 1, kLookMs);
        } else {
            usleep(kLookMs * 1000);
        }
    }
}

bool InstanceEndpoint::LookForGreeting() {
    struct stat st;
    bool there = stat(path_.c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
    // A copy that took the socket over since we called is the one to ask.
    if (other_ >= 0 && (!there || st.st_ino != otherInode_)) DropOther();
    if (other_ < 0) {
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
        other_ = fd;
        otherInode_ = st.st_ino;
        greeted_ = 0;
    }
    char said[sizeof kGreeting - 1];
    ssize_t n = recv(other_, said, sizeof said - greeted_, 0);
    if (n > 0 && std::memcmp(said, kGreeting + greeted_, size_t(n)) == 0) {
        greeted_ += size_t(n);
        return greeted_ == sizeof said;
    }
    // What it said is no greeting, or it hung up (a copy drops callers beyond a few).
    if (n >= 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) DropOther();
    return false;
}

void InstanceEndpoint::DropOther() {
    if (other_ >= 0) close(other_);
    other_ = -1;
    greeted_ = 0;
}

bool InstanceEndpoint::AskOtherForward() {
    if (other_ < 0 || found_ != Found::kRunning) return false;
    ssize_t sent = send(other_, kForwardRequest, sizeof kForwardRequest - 1, MSG_NOSIGNAL);
    DropOther();
    return sent == ssize_t(sizeof kForwardRequest - 1);
}

bool InstanceEndpoint::Listen() {
    sockaddr_un address;
    if (listener_ >= 0) return true;
    if (lock_ < 0 || !Fill(path_, address)) return false;
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
