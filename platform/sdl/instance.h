// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// One Quillby per user and display on the desktop: the first to start on a display listens on a
// Unix domain socket named after that display, in a folder only its user may enter, and greets
// every caller. A second launch on the same display finds it there, asks it to come forward
// and ends; one that gets no greeting within half a second takes the socket over and runs.
// Depends on: POSIX sockets and poll. Cannot: tell a copy that hangs from one that is merely
// slower than half a second to answer; or see copies of another user, or on another display.
#pragma once

#include <string>
#include <vector>

namespace platform {

// Names the display a window would open on, for the socket's name: "x11-HOST:N" (the screen
// number left out: a display's screens are one desktop), "wayland-NAME", else the driver's.
std::string DisplayKey(const std::string& videoDriver, const char* x11Display,
                       const char* waylandDisplay);
// $XDG_RUNTIME_DIR/quillby-KEY.sock, or /tmp/quillby-UID/KEY.sock in a folder made 0700.
// Empty when neither can be used safely (then every launch runs on its own).
std::string InstanceSocketPath(const std::string& displayKey);

// Removes the socket file of the endpoint that listens in this process, if it is still ours,
// and nothing else: for a program about to end without running its destructors.
void RemoveListeningEndpoint();

class InstanceEndpoint {
  public:
    // How long a running copy has to greet a caller before it is taken for hung.
    static constexpr int kAnswerMs = 500;

    explicit InstanceEndpoint(std::string path);
    ~InstanceEndpoint();
    InstanceEndpoint(const InstanceEndpoint&) = delete;
    InstanceEndpoint& operator=(const InstanceEndpoint&) = delete;

    // True when another running copy answers at the path. A socket file left behind by one
    // that died is removed; one whose copy does not answer is marked for taking over.
    bool FindOther();
    // FindOther found a copy that did not answer (stopped or hung).
    bool otherSilent() const { return otherSilent_; }
    // Asks the copy found by FindOther to come forward; false when it cannot be told.
    bool AskOtherForward();

    // Starts answering at the path, taking it over from a copy that died or does not answer.
    // False when the socket cannot be made, or a copy that answers holds the path.
    bool Listen();
    // Without waiting: greets new callers and reads what they sent. True when at least one
    // asked this copy to come forward since the last call.
    bool TakeForwardRequest();

    bool listening() const { return listener_ >= 0; }
    // Readable when a caller is waiting or has said something: the listening socket and the
    // callers taken. Empty when not listening.
    std::vector<int> Descriptors() const;

  private:
    std::string path_;
    int other_ = -1;  // our connection to the copy found
    bool otherSilent_ = false;
    int listener_ = -1;             // our listening socket
    unsigned long long inode_ = 0;  // the socket file we made, removed again when we end
    std::vector<int> callers_;
};

}  // namespace platform
