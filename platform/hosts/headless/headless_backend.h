// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The headless host: a display in memory, a virtual clock, a scripted stylus, a log and
// screenshots. The whole program runs on it unchanged, deterministically.
// Depends on: the platform core and its PNG writer; nothing of the machine's but files.
// Cannot: show a window, take real input, play sound (it logs each sound's resource number),
// find another running copy, or wait: an idle look moves its clock 1 ms instead.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/hosts/headless/stylus_script.h"

namespace platform {

struct HeadlessOptions {
    uint32_t startTick = 0;
    std::vector<ScriptEvent> script;
    std::string shotsDir = ".";
    std::optional<uint32_t> until;  // virtual ms at which WM_CLOSE is sent
    bool trace = false;             // log every copy onto the window
};

class HeadlessBackend : public Backend {
  public:
    HeadlessBackend(HeadlessOptions options, std::ostream& log);

    bool OpenWindow(const std::wstring& title) override;
    void CloseWindow() override {}
    void Poll() override;
    // The clock moves on by one millisecond, whatever the wait allowed: a run's log is the same
    // for every idle policy.
    void Idle(uint32_t) override { clock_++; }
    uint32_t Now() override { return clock_; }
    bool StylusDown() override { return stylusDown_; }
    void Exited(int code) override;

    uint32_t Elapsed() const { return clock_ - options_.startTick; }
    // Lets a test move virtual time without running the loop.
    void Advance(uint32_t ms) { clock_ += ms; }
    bool failed() const { return failed_; }

  protected:
    void Show(const Surface& display, const RECT& area) override;
    void StartSound(const Sound& sound) override;

  private:
    void Run(const ScriptEvent& event);
    void Log(const std::string& line);

    HeadlessOptions options_;
    std::ostream& log_;
    uint32_t clock_;
    size_t next_ = 0;
    bool stylusDown_ = false;
    bool closeSent_ = false;
    bool failed_ = false;
    bool shotsFolderMade_ = false;
};

}  // namespace platform
