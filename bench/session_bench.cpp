// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// A scripted ten-minute session of cards and quiz, run whole on the headless backend in
// virtual time: how many virtual seconds pass per real second.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "platform/host.h"
#include "platform/hosts/headless/headless_backend.h"
#include "shell/platform.h"

namespace {

constexpr uint32_t kSessionMs = 10 * 60 * 1000;

std::string TenMinuteScript() {
    std::ostringstream s;
    uint32_t t = 500;
    auto tap = [&](int x, int y, uint32_t pause) {
        s << t << " down " << x << ' ' << y << '\n' << t + 60 << " up " << x << ' ' << y << '\n';
        t += pause;
    };
    tap(120, 150, 1000);  // open the game
    while (t < kSessionMs - 20000) {
        for (int i = 0; i < 10; ++i) tap(170, 282, 1500);  // ten cards
        tap(75, 20, 1500);                                 // quiz on
        for (int round = 0; round < 8; ++round) {
            tap(180, 60, 1200);
            tap(180, 260, 1200);
            tap(90, 260, 3000);
        }
        tap(75, 20, 1500);  // quiz off
    }
    return s.str();
}

void TenMinuteSession(benchmark::State& state) {
    std::string script = TenMinuteScript();
    for (auto _ : state) {
        std::istringstream in(script);
        platform::HeadlessOptions options;
        options.script = platform::ParseScript(in).events;
        options.until = kSessionMs;
        std::ostringstream log;
        platform::Start(std::make_unique<platform::HeadlessBackend>(options, log));
        int code = WinMain(GetModuleHandleW(nullptr), nullptr, const_cast<LPWSTR>(L""), SW_SHOW);
        platform::Stop();
        benchmark::DoNotOptimize(code);
    }
    state.counters["virtual_s_per_real_s"] = benchmark::Counter(
        double(kSessionMs) / 1000.0 * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(TenMinuteSession)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
