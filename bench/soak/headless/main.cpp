// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Hours of play on the headless host, for leaks and faults that only time shows:
//
//   quillby_soak [--minutes N | --hours N] [--seed N] [--start-tick N] [--speak]
//
// A child taps for the time given (virtual: the clock moves a millisecond a look), then the
// close button. By default the tick starts a quarter of the run before it wraps. Exits 0 when
// the game ended with exit code 0 and the platform held the same after every quiz round as after
// the first; otherwise 1, saying why. With --speak the game plays with its voice, which
// sets a timer to wake the loop whenever a clip is due. Built with the sanitizers, a fault they see
// ends it too.
#include <charconv>
#include <chrono>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>

#include "bench/soak/headless/census.h"
#include "bench/soak/headless/soak_backend.h"
#include "platform/host.h"
#include "shell/platform.h"

namespace {

// What a round holds on the heap varies with its three pictures' sizes (together up to about
// 46 KiB of pixels); more growth than this beyond the first report's rounds is a leak.
constexpr size_t kHeapSlack = 64 * 1024;
constexpr uint64_t kLongestMs = uint64_t(7) * 24 * 3600 * 1000;  // a week: the tick wraps once

bool ReadNumber(std::string_view text, uint64_t& out) {
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return error == std::errc() && end == text.data() + text.size();
}

int Usage(const std::string& problem) {
    std::cerr << "quillby_soak: " << problem << "\n"
              << "usage: quillby_soak [--minutes N | --hours N] [--seed N] [--start-tick N]"
                 " [--report-every ROUNDS] [--plant-leak] [--speak]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    soak::Options options;
    bool startGiven = false;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg == "--plant-leak") {
            options.plantLeak = true;
            continue;
        }
        if (arg == "--speak") {
            options.speak = true;
            continue;
        }
        uint64_t n = 0;
        if (i + 1 >= argc || !ReadNumber(argv[i + 1], n))
            return Usage(std::string(arg) + " needs a number");
        ++i;
        if (arg == "--minutes") {
            options.lengthMs = n * 60 * 1000;
        } else if (arg == "--hours") {
            options.lengthMs = n * 3600 * 1000;
        } else if (arg == "--seed") {
            options.seed = n;
        } else if (arg == "--report-every" && n > 0) {
            options.reportEveryRounds = n;
        } else if (arg == "--start-tick" && n <= UINT32_MAX) {
            options.startTick = uint32_t(n);
            startGiven = true;
        } else {
            return Usage("cannot take " + std::string(arg) + " " + argv[i]);
        }
    }
    if (options.lengthMs == 0 || options.lengthMs > kLongestMs)
        return Usage("play from a minute to a week");
    if (!startGiven) options.startTick = uint32_t(0 - options.lengthMs / 4);

    std::cout << "soak: " << soak::Clock(options.lengthMs) << " of play, seed " << options.seed
              << ", start tick " << options.startTick << (options.speak ? ", with the voice" : "")
              << std::endl;
    auto began = std::chrono::steady_clock::now();
    auto backend = std::make_unique<soak::SoakBackend>(options, std::cout);
    soak::SoakBackend& run = *backend;
    platform::Start(std::move(backend));
    if (options.speak) platform::SetCommandLine(L"quillby --speak");
    int code = WinMain(GetModuleHandleW(nullptr), nullptr, const_cast<LPWSTR>(L""), SW_SHOW);
    soak::Census left = soak::TakeCensus();
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();

    std::cout << "played " << soak::Clock(run.elapsed()) << " in " << seconds
              << " s: " << run.taps() << " presses (" << run.bursts() << " bursts of 20), "
              << run.rounds() << " quiz rounds, " << run.frames() << " copies onto the window, "
              << run.sounds() << " sounds (" << run.quietMoments()
              << " quiet moments after them with no timer checked); the tick "
              << (run.wrapped() ? "wrapped" : "did not wrap") << "\n"
              << "after every round: " << soak::Describe(run.firstRound()) << "\n"
              << "heap after a round: at most " << run.heapFirstBlock() / 1024
              << " KiB in the first report's rounds, " << run.heapHighest() / 1024
              << " KiB in all\n"
              << "after the game ended: " << soak::Describe(left) << "\n";
    std::string failure = run.failure();
    if (failure.empty() && code != 0)
        failure = "the game ended with exit code " + std::to_string(code);
    if (failure.empty() && (left.gdiObjects || left.deviceContexts))
        failure = "the game left " + soak::Describe(left) + " behind";
    if (failure.empty() && run.heapHighest() > run.heapFirstBlock() + kHeapSlack)
        failure = "the heap grew from " + std::to_string(run.heapFirstBlock() / 1024) + " KiB to " +
                  std::to_string(run.heapHighest() / 1024) + " KiB";
    if (failure.empty() && run.rounds() == 0) failure = "no quiz round was won";
    if (failure.empty() && !run.wrapped() && options.startTick > UINT32_MAX - options.lengthMs)
        failure = "the tick did not wrap";
    platform::Stop();
    if (!failure.empty()) {
        std::cout << "FAILED: " << failure << "\n";
        return 1;
    }
    std::cout << "held\n";
    return 0;
}
