// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The test host on our own platform layer: the headless backend, its virtual clock, and a
// record of the sounds it was asked to play.
#include <memory>
#include <ostream>

#include "platform/host.h"
#include "platform/hosts/headless/headless_backend.h"
#include "tests/support/test_host.h"
#include "tests/support/test_window.h"

namespace {

// The headless backend logs only what this one records itself: its log goes nowhere.
std::ostream nowhere(nullptr);

class RecordingBackend : public platform::HeadlessBackend {
  public:
    explicit RecordingBackend(DWORD startTick) : HeadlessBackend(Options(startTick), nowhere) {}
    void StartSound(const platform::Sound& sound) override { sounds.push_back(sound.resourceId); }
    bool StylusDown() override { return stylusDown; }

    std::vector<int> sounds;
    bool stylusDown = false;

  private:
    static platform::HeadlessOptions Options(DWORD startTick) {
        platform::HeadlessOptions options;
        options.startTick = startTick;
        options.until = 0xFFFFFFFFu;  // the window is never closed for the test
        return options;
    }
};

RecordingBackend* backend = nullptr;

}  // namespace

namespace test_host {

HWND Open(DWORD startTick) {
    auto owned = std::make_unique<RecordingBackend>(startTick);
    backend = owned.get();
    platform::Start(std::move(owned));
    return OpenTestWindow(L"QUILLBY_TEST");
}

void Close() {
    platform::Stop();
    backend = nullptr;
}

std::vector<int> Sounds() {
    return backend ? backend->sounds : std::vector<int>();
}

DWORD Now() {
    return GetTickCount();
}

void Advance(DWORD ms) {
    if (backend) backend->Advance(ms);
}

void SetStylus(bool down) {
    if (backend) backend->stylusDown = down;
}

}  // namespace test_host
