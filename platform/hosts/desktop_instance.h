// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// One Quillby per user and display on the desktop. Who runs is decided by an exclusive lock
// (instance_lock.h) on a file beside a Unix domain socket named after the display, in a folder
// only its user may enter (instance_place.h): the copy that takes the lock holds it for its whole
// life, writes its process number into it and listens on the socket, greeting every caller
// (instance_socket.h). A launch that finds the lock taken waits for that greeting, asks the copy
// to come forward and ends. A holder that neither greets nor uses the processor for a while is
// taken for stopped or hung (silent_holder.h): the launches that found it take the next lock of a
// short row, and the one that gets it runs and takes the socket over, so that they open one
// window between them.
// Depends on: POSIX sockets, poll and flock; Linux's /proc. Cannot: tell a copy that hangs
// busily from one that takes longer than the start limit to start; see copies of another user
// or on another display; or tell an X server nested in a Wayland session from the session's own.
#pragma once

#include <string>
#include <vector>

#include "platform/hosts/instance_place.h"   // DisplayKey, InstanceSocketPath
#include "platform/hosts/instance_socket.h"  // RemoveListeningEndpoint

namespace platform {

class InstanceEndpoint {
  public:
    // A copy holding the lock that has not greeted is still starting while its main thread uses
    // the processor, for up to kStartLimitMs; one that has neither greeted nor used the processor
    // there for kQuietLimitMs is stopped or hung. Of twenty launches at once on two cores busy with
    // other work, none waited more than half a second for the greeting, and the slowest window
    // showed 10 s after the launches; a parent waits no longer than 5 s beside a stopped copy.
    static constexpr int kQuietLimitMs = 5000;
    static constexpr int kStartLimitMs = 30000;

    enum class Found {
        kNone,     // no other copy: this one holds the lock and runs
        kRunning,  // another copy greeted: AskOtherForward, then end
        kHung,     // the copy holding the lock is stopped or hung: this one took over and runs
    };

    explicit InstanceEndpoint(std::string socketPath, int quietLimitMs = kQuietLimitMs,
                              int startLimitMs = kStartLimitMs);
    ~InstanceEndpoint();
    InstanceEndpoint(const InstanceEndpoint&) = delete;
    InstanceEndpoint& operator=(const InstanceEndpoint&) = delete;

    // Takes the lock, or waits for the copy that holds it (see above). Decides once; later
    // calls give the same answer. A copy that cannot make its lock file runs on its own.
    Found Claim();
    // Asks the copy that greeted to come forward; false when it cannot be told.
    bool AskOtherForward();

    // Starts answering at the socket, replacing what a copy that died or hangs left there.
    // Only a copy that holds the lock listens: false otherwise, or when the socket fails.
    bool Listen();
    // Without waiting: greets new callers and reads what they sent. True when at least one
    // asked this copy to come forward since the last call.
    bool TakeForwardRequest() { return listener_.TakeForwardRequest(); }

    bool listening() const { return listener_.listening(); }
    // Readable when a caller is waiting or has said something: the listening socket and the
    // callers taken. Empty when not listening.
    std::vector<int> Descriptors() const { return listener_.Descriptors(); }

  private:
    enum class Wait { kGreeted, kFreed, kSilent };
    // Waits for a greeting at the socket while another holds the lock `fd`, as long as the
    // limits allow; kFreed when the holder ended meanwhile and this endpoint took the lock.
    Wait AwaitGreeting(int fd);

    std::string path_;
    int quietLimitMs_;
    int startLimitMs_;
    bool claimed_ = false;
    Found found_ = Found::kNone;
    int lock_ = -1;  // held for this copy's life
    instance::Caller other_;
    instance::Listener listener_;
};

}  // namespace platform
