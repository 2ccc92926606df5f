// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The headless run's stylus script.
#include <sstream>
#include <string>

#include "fuzz/check.h"
#include "platform/hosts/headless/stylus_script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    std::istringstream in(text);
    platform::ScriptResult result = platform::ParseScript(in);
    if (!result.error.empty()) {
        Check(result.events.empty(), "a refused script still gives events");
        Check(result.error.rfind("line ", 0) == 0, "a problem does not name its line");
        Check(IsOnePrintableLine(result.error), "a problem is not one printable line");
        return 0;
    }
    uint32_t previous = 0;
    for (const platform::ScriptEvent& e : result.events) {
        Check(e.ms >= previous, "a script's times go backwards");
        Check(e.ms <= platform::kLatestEventMs, "an event is too late for the run to end after");
        Check(e.x >= 0 && e.x <= 65535 && e.y >= 0 && e.y <= 65535, "a position is out of range");
        previous = e.ms;
        if (e.kind != platform::ScriptEvent::Kind::Shot) continue;
        Check(!e.name.empty() && e.name.size() <= platform::kMaxShotNameLength &&
                  e.name[0] != '.' && e.name.find('/') == std::string::npos,
              "a shot's name could leave the shots folder or be too long");
        Check(IsOnePrintableLine(e.name), "a shot's name holds unprintable bytes");
    }
    return 0;
}
