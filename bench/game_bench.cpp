// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// What the game screen costs: a whole paint, a timed redraw of a small dirty rectangle, and
// building a quiz round.
#include <benchmark/benchmark.h>

#include <memory>
#include <sstream>

#include "game/game_screen.h"
#include "platform/host.h"
#include "platform/hosts/headless/headless_backend.h"

namespace {

LRESULT CALLBACK PlainProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return DefWindowProcW(w, m, wp, lp);
}

// A headless window with the game screen on it.
struct Stage {
    std::ostringstream log;
    HWND window = nullptr;
    std::unique_ptr<GameScreen> game;
    Stage() {
        platform::Start(
            std::make_unique<platform::HeadlessBackend>(platform::HeadlessOptions{}, log));
        WNDCLASSW cls{};
        cls.lpfnWndProc = PlainProc;
        cls.lpszClassName = L"BENCH";
        RegisterClassW(&cls);
        window = CreateWindowExW(0, L"BENCH", L"Bench", WS_VISIBLE, 0, 0, 240, 320, nullptr,
                                 nullptr, nullptr, nullptr);
        game = std::make_unique<GameScreen>(window, GetModuleHandleW(nullptr));
        game->active = true;
    }
    ~Stage() {
        game.reset();
        platform::Stop();
    }
};

void FullPaint(benchmark::State& state) {
    Stage stage;
    HDC dc = GetDC(stage.window);
    for (auto _ : state) stage.game->Paint(dc, true);
    ReleaseDC(stage.window, dc);
}
BENCHMARK(FullPaint);

void RedrawSmallDirtyRectangle(benchmark::State& state) {
    Stage stage;
    uint32_t now = 0;
    for (auto _ : state) {
        stage.game->MarkDirty(InclusiveRect{45, 10, 105, 30});  // the quiz switch
        now += RedrawInterval;
        stage.game->Tick(now);
    }
}
BENCHMARK(RedrawSmallDirtyRectangle);

void NewRound(benchmark::State& state) {
    Stage stage;
    for (auto _ : state) stage.game->NewRound();
}
BENCHMARK(NewRound);

}  // namespace
