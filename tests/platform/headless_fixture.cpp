// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "tests/platform/headless_fixture.h"

#include "tests/support/test_window.h"

std::vector<MSG>& HeadlessTest::Received() {
    static std::vector<MSG> messages;
    return messages;
}

namespace {

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    HeadlessTest::Received().push_back(MSG{window, message, wParam, lParam, 0, {0, 0}});
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void HeadlessTest::SetUp() {
    Restart(platform::HeadlessOptions{});
}

void HeadlessTest::Restart(platform::HeadlessOptions options) {
    Received().clear();
    auto owned = std::make_unique<platform::HeadlessBackend>(std::move(options), log);
    backend = owned.get();
    platform::Start(std::move(owned));
    window = OpenTestWindow(L"TEST", RecordingProc, CS_DBLCLKS);
}

std::vector<UINT> HeadlessTest::Delivered() {
    std::vector<UINT> out;
    for (const MSG& m : Received()) out.push_back(m.message);
    Received().clear();
    return out;
}

std::vector<UINT> HeadlessTest::Take(int count) {
    std::vector<UINT> out;
    MSG msg;
    while (count-- > 0 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) out.push_back(msg.message);
    return out;
}
