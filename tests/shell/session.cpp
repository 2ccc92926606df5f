// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "tests/shell/session.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "platform/formats/png.h"
#include "platform/host.h"
#include "platform/hosts/headless/headless_backend.h"
#include "platform/hosts/start_up.h"
#include "shell/platform.h"

namespace {

std::filesystem::path SessionFolder() {
    static ScratchFolder folder;
    return folder.path;
}

}  // namespace

ScratchFolder::ScratchFolder() {
    static int counter = 0;
    path = std::filesystem::temp_directory_path() /
           ("quillby-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path);
}

ScratchFolder::~ScratchFolder() {
    std::filesystem::remove_all(path);
}

Outcome RunQuillby(const std::string& args) {
    const char* exe = std::getenv("QUILLBY_EXE");
    std::string command =
        std::string(exe ? exe : "build/default/shell/quillby") + " " + args + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    Outcome o{-1, ""};
    if (!pipe) return o;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) o.out += buffer;
    int status = pclose(pipe);
    o.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return o;
}

platform::Surface Session::Shot(const std::string& name) const {
    platform::Surface s;
    platform::ReadPng((shots / (name + ".png")).string(), s);
    return s;
}

bool Session::Logged(const std::string& line) const {
    return ("\n" + log).find("\n" + line + "\n") != std::string::npos;
}

Session RunSession(const std::string& script, uint32_t startTick, bool trace,
                   std::optional<uint32_t> until, bool speak, uint16_t language) {
    static int runs = 0;
    Session session;
    session.shots = SessionFolder() / std::to_string(runs++);
    std::filesystem::create_directories(session.shots);
    std::istringstream in(script);
    platform::ScriptResult parsed = platform::ParseScript(in);
    if (!parsed.error.empty()) {
        session.log = "script " + parsed.error;
        return session;
    }
    platform::HeadlessOptions options;
    options.startTick = startTick;
    options.script = parsed.events;
    options.shotsDir = session.shots.string();
    options.trace = trace;
    options.until = until;
    std::ostringstream log;
    platform::ProgramStart start;
    start.commandLine = speak ? L"quillby --speak" : L"quillby";
    start.language = language;
    session.exitCode = platform::RunProgram(
        WinMain, std::make_unique<platform::HeadlessBackend>(std::move(options), log), start);
    session.log = log.str();
    return session;
}
