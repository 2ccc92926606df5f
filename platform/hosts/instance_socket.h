// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The hand-over at the instance socket, a Unix domain socket beside the lock: the copy that runs
// listens there and greets every caller at once; a launch that found the lock taken calls, waits
// for the greeting and then asks the copy to come forward. A copy that takes the socket over from
// one that hangs replaces its file; each removes only its own file when it ends.
// Depends on: POSIX sockets and poll. Cannot: tell a caller that asks nothing from one that is
// slow to ask (the oldest of those are dropped beyond a few).
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace platform {

// Removes the socket file of the endpoint that listens in this process, if it is still ours,
// and nothing else: for a program about to end without running its destructors.
void RemoveListeningEndpoint();

namespace instance {

// A launch's call to the copy at the socket.
class Caller {
  public:
    explicit Caller(std::string socketPath) : path_(std::move(socketPath)) {}
    ~Caller() { HangUp(); }
    Caller(const Caller&) = delete;
    Caller& operator=(const Caller&) = delete;

    // One look at the socket, without waiting: connects, or reads what the copy there said.
    // True once greeted.
    bool LookForGreeting();
    // Waits up to `ms` for the copy to say something (simply `ms` while there is no call).
    void AwaitWords(int ms) const;
    // Asks the copy that greeted to come forward, and hangs up; false when it cannot be told.
    bool AskForward();
    void HangUp();

  private:
    std::string path_;
    int fd_ = -1;                   // our connection to a copy at the socket
    unsigned long long inode_ = 0;  // the socket file it was made through
    size_t greeted_ = 0;            // bytes of the greeting read from it
};

// The running copy's end: listens and greets.
class Listener {
  public:
    explicit Listener(std::string socketPath) : path_(std::move(socketPath)) {}
    ~Listener() { Close(); }
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    // Starts answering at the socket, replacing what a copy that died or hangs left there;
    // for the lock's holder alone. False when the socket fails.
    bool Listen();
    // Stops answering, removing the socket file if it is still ours.
    void Close();
    // Without waiting: greets new callers and reads what they sent. True when at least one
    // asked this copy to come forward since the last call.
    bool TakeForwardRequest();

    bool listening() const { return fd_ >= 0; }
    // Readable when a caller is waiting or has said something: the listening socket and the
    // callers taken. Empty when not listening.
    std::vector<int> Descriptors() const;

  private:
    std::string path_;
    int fd_ = -1;                   // our listening socket
    unsigned long long inode_ = 0;  // the socket file we made, removed again when we end
    std::vector<int> callers_;
};

}  // namespace instance
}  // namespace platform
