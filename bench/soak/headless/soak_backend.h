// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The host of a long headless run: the headless host's virtual clock (one millisecond a look at
// an empty queue) with a child tapping instead of a script. After every quiz round it takes the
// platform's census (census.h), which must be the same as after the first round; whenever the
// last sound and the voice's pause after it have ended with nothing new begun, nothing can be
// waiting to be said, and no timer may be set to wake the loop; at the end it taps the close
// button, and the game must end with exit code 0.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "bench/soak/headless/census.h"
#include "bench/soak/headless/child.h"
#include "platform/backend.h"

namespace soak {

struct Options {
    uint64_t lengthMs = 20 * 60 * 1000;  // of play, before the close button
    uint64_t seed = 1;
    uint32_t startTick = 0;
    uint64_t reportEveryRounds = 1000;
    bool plantLeak = false;  // makes a pen after every round and never deletes it
    bool speak = false;      // the game plays with its voice
};

class SoakBackend : public platform::Backend {
  public:
    SoakBackend(const Options& options, std::ostream& log);

    bool OpenWindow(const std::wstring&) override { return true; }
    void CloseWindow() override {}
    void Poll() override;
    void Idle(uint32_t) override { clock_++; }
    uint32_t Now() override { return clock_; }
    bool StylusDown() override { return stylusDown_; }
    void Exited(int code) override { exitCode_ = code; }

    // Empty while everything held; else what went wrong first.
    const std::string& failure() const { return failure_; }
    std::optional<int> exitCode() const { return exitCode_; }
    uint64_t rounds() const { return rounds_; }
    uint64_t taps() const { return taps_; }
    uint64_t bursts() const { return child_.bursts(); }
    uint64_t frames() const { return frames_; }
    uint64_t sounds() const { return sounds_; }
    uint64_t quietMoments() const { return quietMoments_; }
    bool wrapped() const { return wrapped_; }
    uint32_t elapsed() const { return clock_ - options_.startTick; }
    const Census& firstRound() const { return first_; }
    size_t heapHighest() const { return heapHighest_; }
    size_t heapFirstBlock() const { return heapFirstBlock_; }

  protected:
    void Show(const platform::Surface&, const RECT&) override { frames_++; }
    void StartSound(const platform::Sound& sound) override;

  private:
    void Post(const StylusEvent& e);
    void NextGesture(uint32_t now);
    void CountRound();
    void CheckQuiet(uint32_t now);
    Census Expected(const Census& now) const;
    void Fail(const std::string& why);

    Options options_;
    std::ostream& log_;
    Child child_;
    uint32_t clock_;
    bool wrapped_ = false;
    bool stylusDown_ = false;

    Gesture gesture_;
    size_t next_ = 0;
    // After a right answer: no press from quietFrom_ until the census, so that the census finds
    // the next round as the sparkle's end built it.
    std::optional<uint32_t> censusAt_;
    uint32_t quietFrom_ = 0;
    bool closing_ = false;
    uint32_t closedAt_ = 0;
    bool closeSent_ = false;

    // When the last sound started and the pause after it end; whether that moment was checked.
    uint32_t quietAt_ = 0;
    bool quietChecked_ = true;

    uint64_t rounds_ = 0, taps_ = 0, frames_ = 0, sounds_ = 0, quietMoments_ = 0;
    Census first_;
    size_t heapFirstBlock_ = 0;  // the most the heap held after any round of the first report
    size_t heapHighest_ = 0;
    std::string failure_;
    std::optional<int> exitCode_;
};

// h:mm:ss of a virtual time.
std::string Clock(uint64_t ms);

}  // namespace soak
