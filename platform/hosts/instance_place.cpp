// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Where the copies on one desktop meet (what it is for, depends on and cannot do:
// instance_place.h).
#include "platform/hosts/instance_place.h"

#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

namespace platform {
namespace {

// A folder of ours alone: made 0700 if missing; refused if it is a link or someone else's.
bool PrivateFolder(const std::string& dir) {
    if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return false;
    struct stat st;
    if (lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid()) return false;
    if ((st.st_mode & 0777) != 0700 && chmod(dir.c_str(), 0700) != 0) return false;
    return true;
}

}  // namespace

std::string DisplayKey(const char* x11Display, const char* waylandDisplay,
                       const char* videoDriver) {
    auto set = [](const char* value) { return value && *value; };
    // SDL tries a list of drivers in order: the first is the one asked for.
    std::string driver = set(videoDriver) ? videoDriver : "";
    driver.erase(std::min(driver.find(','), driver.size()));
    std::string key;
    if (!driver.empty() && driver != "x11" && driver != "wayland") {
        key = driver;
    } else if (set(waylandDisplay) || driver == "wayland") {
        // X programs in a Wayland session show on the same desktop.
        key = std::string("wayland-") + (set(waylandDisplay) ? waylandDisplay : "wayland-0");
    } else {
        std::string name = set(x11Display) ? x11Display : "";
        size_t colon = name.rfind(':');
        size_t dot = name.find('.', colon == std::string::npos ? 0 : colon);
        if (colon != std::string::npos && dot != std::string::npos) name.erase(dot);
        if (name.starts_with("unix:")) name.erase(0, 4);
        key = "x11-" + name;
    }
    // A name from the environment may hold slashes (a Wayland socket's full path, a display
    // on a path): the key is one file name.
    for (char& c : key)
        if (c == '/') c = '_';
    return key;
}

std::string InstanceSocketPath(const std::string& displayKey) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat st;
    if (runtime && runtime[0] == '/' && stat(runtime, &st) == 0 && S_ISDIR(st.st_mode) &&
        st.st_uid == getuid())
        return std::string(runtime) + "/quillby-" + displayKey + ".sock";
    std::string dir = "/tmp/quillby-" + std::to_string(getuid());
    return PrivateFolder(dir) ? dir + "/" + displayKey + ".sock" : std::string();
}

}  // namespace platform
