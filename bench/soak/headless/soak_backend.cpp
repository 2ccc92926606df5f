// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "bench/soak/headless/soak_backend.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/formats/wave.h"
#include "platform/host.h"
#include "shell/platform.h"

namespace soak {
namespace {

constexpr int kRightAnswerSound = 20002;
// The sparkle steps eight times, each more than 250 ms after the last, and its end builds the
// next round: a round is ready a little over two seconds after the right answer.
constexpr uint32_t kRoundReadyMs = 2600;
// Presses in the first part of the reward are ignored by the game (the mode box is disabled),
// and the child keeps making them; after this one the child waits for the census.
constexpr uint32_t kQuietAfterMs = 1500;
constexpr int kCloseX = 227, kCloseY = 13;
// The voice leaves 150 ms after each clip before the next; the loop comes back for a clip within
// a few milliseconds of its moment.
constexpr uint32_t kVoicePauseMs = 150, kQuietMarginMs = 50;
constexpr uint32_t kCloseWithinMs = 10000;

}  // namespace

std::string Clock(uint64_t ms) {
    char text[32];
    uint64_t s = ms / 1000;
    std::snprintf(
        text, sizeof text, "%llu:%02llu:%02llu", static_cast<unsigned long long>(s / 3600),
        static_cast<unsigned long long>(s / 60 % 60), static_cast<unsigned long long>(s % 60));
    return text;
}

SoakBackend::SoakBackend(const Options& options, std::ostream& log)
    : options_(options), log_(log), child_(options.seed), clock_(options.startTick) {}

void SoakBackend::Post(const StylusEvent& e) {
    stylusDown_ = e.down;
    taps_ += e.down;
    platform::PostStylus(e.down, e.x, e.y);
}

void SoakBackend::NextGesture(uint32_t now) {
    gesture_ = child_.Next(now);
    next_ = 0;
    if (!censusAt_) return;
    bool pressesInQuiet = std::any_of(gesture_.begin(), gesture_.end(), [&](const StylusEvent& e) {
        return e.down && e.at >= quietFrom_ && e.at <= *censusAt_;
    });
    if (!pressesInQuiet) return;
    uint32_t shift = *censusAt_ + 1 - gesture_.front().at;
    for (StylusEvent& e : gesture_) e.at += shift;
}

void SoakBackend::Poll() {
    uint32_t now = elapsed();
    if (clock_ < options_.startTick) wrapped_ = true;
    CheckQuiet(now);
    if (censusAt_ && now >= *censusAt_) {
        censusAt_.reset();
        CountRound();
    }
    while (next_ < gesture_.size() && gesture_[next_].at <= now) Post(gesture_[next_++]);
    if (next_ < gesture_.size()) return;
    if (!closing_ && now < options_.lengthMs && failure_.empty()) {
        NextGesture(now);
    } else if (!closing_ && !censusAt_) {
        // The end of play, a round's census taken: the close button, as a person ends the game.
        closing_ = true;
        closedAt_ = now;
        gesture_ = {{now + 1, true, kCloseX, kCloseY}, {now + 60, false, kCloseX, kCloseY}};
        next_ = 0;
    } else if (closeSent_ && now - closedAt_ > 2 * kCloseWithinMs) {
        // Not even the window's close ended it: a hung game, which no run should wait for.
        log_ << "FAILED: " << failure_ << "; the game did not end either" << std::endl;
        std::_Exit(1);
    } else if (closing_ && !closeSent_ && now - closedAt_ > kCloseWithinMs) {
        closeSent_ = true;
        Fail("the close button did not end the game within " +
             std::to_string(kCloseWithinMs / 1000) + " s; closing the window instead");
        platform::PostClose();
    }
}

void SoakBackend::StartSound(const platform::Sound& sound) {
    sounds_++;
    // 16-bit PCM by now, the voice's ADPCM decoded; in whole milliseconds rounded up.
    uint64_t samples = sound.bitsPerSample ? sound.dataBytes * 8 / size_t(sound.bitsPerSample) : 0;
    uint32_t lengthMs =
        sound.sampleRate ? uint32_t((samples * 1000 + sound.sampleRate - 1) / sound.sampleRate) : 0;
    quietAt_ = elapsed() + lengthMs + kVoicePauseMs;
    quietChecked_ = false;
    if (sound.resourceId != kRightAnswerSound || closing_) return;
    uint32_t now = elapsed();
    censusAt_ = now + kRoundReadyMs;
    quietFrom_ = now + kQuietAfterMs;
    // What is left of the gesture under way stops short of the quiet, the stylus lifted.
    for (size_t i = next_; i < gesture_.size(); ++i) {
        if (!gesture_[i].down || gesture_[i].at < quietFrom_) continue;
        gesture_.resize(i);
        break;
    }
}

// What a round should leave: what the first left. With the voice, its one wake timer is set or
// not as the clips about the round run long or short; a second would be a leak.
Census SoakBackend::Expected(const Census& now) const {
    Census expected = first_;
    if (options_.speak && now.timers <= 1) expected.timers = now.timers;
    return expected;
}

void SoakBackend::CountRound() {
    rounds_++;
    Census now = TakeCensus();
    size_t heap = HeapInUse();
    heapHighest_ = std::max(heapHighest_, heap);
    if (rounds_ <= options_.reportEveryRounds) heapFirstBlock_ = heapHighest_;
    if (rounds_ == 1) {
        first_ = now;
        log_ << "round 1 at " << Clock(elapsed()) << ": " << Describe(now) << "\n";
    } else if (!(now == Expected(now))) {
        Fail("after round " + std::to_string(rounds_) + " the platform holds " + Describe(now) +
             "; after the first it held " + Describe(first_));
    }
    if (rounds_ % options_.reportEveryRounds == 0)
        log_ << "round " << rounds_ << " at " << Clock(elapsed()) << ": " << Describe(now)
             << "; heap " << heap / 1024 << " KiB (at most " << heapHighest_ / 1024
             << " KiB so far)" << std::endl;
    if (options_.plantLeak) CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
}

// Every line waits only for the sound playing and the pause after it: once those are over and
// no sound has begun, the game has nothing due and must not keep its loop waking for it.
void SoakBackend::CheckQuiet(uint32_t now) {
    if (quietChecked_ || now < quietAt_ + kQuietMarginMs) return;
    quietChecked_ = true;
    quietMoments_++;
    if (size_t timers = TakeCensus().timers)
        Fail("at " + Clock(now) + " nothing was left to say and " + std::to_string(timers) +
             " timer(s) still woke the loop");
}

void SoakBackend::Fail(const std::string& why) {
    if (failure_.empty()) failure_ = why;
}

}  // namespace soak
