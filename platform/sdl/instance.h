// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// One Quillby per user on the desktop: the first to start listens on a Unix domain socket in a
// folder only its user may enter; a second finds it there, asks it to come forward and ends.
#pragma once

#include <string>
#include <vector>

namespace platform {

// $XDG_RUNTIME_DIR/quillby.sock, or /tmp/quillby-UID/instance.sock in a folder made 0700.
// Empty when neither can be used safely (then every launch runs on its own).
std::string InstanceSocketPath();

class InstanceEndpoint {
  public:
    explicit InstanceEndpoint(std::string path);
    ~InstanceEndpoint();
    InstanceEndpoint(const InstanceEndpoint&) = delete;
    InstanceEndpoint& operator=(const InstanceEndpoint&) = delete;

    // True when another running copy answers at the path. A socket file left behind by one
    // that died is removed.
    bool FindOther();
    // Asks the copy found by FindOther to come forward; false when it cannot be told.
    bool AskOtherForward();

    // Starts answering at the path. False when the socket cannot be made, or another copy
    // took the path first.
    bool Listen();
    // Without waiting: takes new callers and reads what they sent. True when at least one
    // asked this copy to come forward since the last call.
    bool TakeForwardRequest();

    bool listening() const { return listener_ >= 0; }
    // Readable when a new caller is waiting; -1 when not listening.
    int listenerFd() const { return listener_; }
    // Callers taken that have not yet said what they want or hung up.
    bool HasCallers() const { return !callers_.empty(); }

  private:
    std::string path_;
    int other_ = -1;                // our connection to the copy found
    int listener_ = -1;             // our listening socket
    unsigned long long inode_ = 0;  // the socket file we made, removed again when we end
    std::vector<int> callers_;
};

}  // namespace platform
