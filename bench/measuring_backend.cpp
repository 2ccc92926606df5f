// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "bench/measuring_backend.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <utility>

MeasuringBackend::MeasuringBackend(std::unique_ptr<platform::Backend> inner, std::string statsPath)
    : inner_(std::move(inner)), statsPath_(std::move(statsPath)) {}

void MeasuringBackend::Show(const platform::Surface& display, const RECT& area) {
    inner_->Present(display, area);
    frameDue_ = true;
}

void MeasuringBackend::Poll() {
    Clock::time_point now = Clock::now();
    if (gapCounts_) {
        double gap = std::chrono::duration<double, std::milli>(now - lastLook_).count();
        maxGapMs_ = std::max(maxGapMs_, gap);
        gapHistogram_[std::min<size_t>(size_t(gap), gapHistogram_.size() - 1)]++;
        if (gap > 10.0) gapsOver10Ms_++;
    }
    // Until Idle says otherwise: the loop went straight on to its next look.
    gapCounts_ = true;
    lastLook_ = now;
    looks_++;
    bool frame = std::exchange(frameDue_, false);
    inner_->Poll();
    if (!frame) return;
    if (frameTicks_.size() < 1000) frameTicks_.push_back(inner_->Now());
    if (frames_++ > 0) return;
    firstFrameWallS_ =
        std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
    // Showing the window waits for the window manager: that look's gap is no tick's lateness.
    gapCounts_ = false;
}

void MeasuringBackend::Idle(uint32_t waitMs) {
    // A wait that may last until input is the program at rest, not late.
    if (waitMs == platform::kUntilInput) {
        gapCounts_ = false;
        restingLooks_++;
    }
    inner_->Idle(waitMs);
}

void MeasuringBackend::Exited(int code) {
    inner_->Exited(code);
    std::ofstream out(statsPath_);
    out << "exit " << code << "\nlooks " << looks_ << "\nresting_looks " << restingLooks_
        << "\nrenders " << frames_ << "\nmax_gap_ms " << maxGapMs_ << "\ngaps_over_10ms "
        << gapsOver10Ms_ << "\nfirst_frame_wall_s " << std::fixed << firstFrameWallS_ << "\n";
    out << "gap_histogram_ms";
    for (uint32_t n : gapHistogram_) out << ' ' << n;
    out << "\nframe_ticks";
    for (uint32_t t : frameTicks_) out << ' ' << t;
    out << "\n";
}

std::unique_ptr<platform::Backend> Measured(std::unique_ptr<platform::Backend> inner) {
    const char* path = std::getenv("QUILLBY_DESKTOP_STATS");
    if (!path) return inner;
    return std::make_unique<MeasuringBackend>(std::move(inner), path);
}
