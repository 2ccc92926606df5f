// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The headless host (what it is for, depends on and cannot do: headless_backend.h).
#include "platform/hosts/headless/headless_backend.h"

#include <filesystem>
#include <system_error>

#include "platform/formats/png.h"
#include "platform/host.h"

namespace platform {

HeadlessBackend::HeadlessBackend(HeadlessOptions options, std::ostream& log)
    : options_(std::move(options)), log_(log), clock_(options_.startTick) {
    if (!options_.until) {
        // The end saturates rather than wrap round to the start for a very late last line.
        uint32_t last = options_.script.empty() ? 0 : options_.script.back().ms;
        options_.until = last > kLatestEventMs ? UINT32_MAX : last + kRunAfterLastEventMs;
    }
}

bool HeadlessBackend::OpenWindow(const std::wstring&) {
    return true;
}

void HeadlessBackend::Show(const Surface&, const RECT& area) {
    if (!options_.trace) return;
    Log("paint " + std::to_string(area.left) + " " + std::to_string(area.top) + " " +
        std::to_string(area.right - area.left) + " " + std::to_string(area.bottom - area.top));
}

void HeadlessBackend::Poll() {
    while (next_ < options_.script.size() && options_.script[next_].ms <= Elapsed())
        Run(options_.script[next_++]);
    if (!closeSent_ && Elapsed() >= *options_.until) {
        closeSent_ = true;
        PostClose();
    }
}

void HeadlessBackend::Run(const ScriptEvent& event) {
    switch (event.kind) {
        case ScriptEvent::Kind::Down:
        case ScriptEvent::Kind::Up:
            stylusDown_ = event.kind == ScriptEvent::Kind::Down;
            PostStylus(stylusDown_, event.x, event.y);
            break;
        case ScriptEvent::Kind::Shot: {
            // `--shots out/` makes its folder at the first shot; the folders above it must be
            // there already, or the shot fails as any unwritable path does.
            if (!shotsFolderMade_) {
                std::error_code ignored;
                std::filesystem::create_directory(options_.shotsDir, ignored);
                shotsFolderMade_ = true;
            }
            std::string path = options_.shotsDir + "/" + event.name + ".png";
            if (!WritePng(path, Display())) {
                failed_ = true;
                Log("shot " + event.name + " failed: cannot write " + path);
            } else {
                Log("shot " + event.name);
            }
            break;
        }
        case ScriptEvent::Kind::Close:
            closeSent_ = true;
            PostClose();
            break;
    }
}

void HeadlessBackend::StartSound(const Sound& sound) {
    Log("sound " + std::to_string(sound.resourceId));
}

void HeadlessBackend::Exited(int code) {
    Log("exit " + std::to_string(code));
}

void HeadlessBackend::Log(const std::string& line) {
    log_ << Elapsed() << ' ' << line << '\n';
}

}  // namespace platform
