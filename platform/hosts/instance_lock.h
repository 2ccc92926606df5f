// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The lock files beside the instance socket, which decide who runs in one step that cannot race:
// the copy that takes one (an exclusive flock) holds it for its life and writes its process
// number into it. They form a short row, KEY.lock, then KEY-1.lock..., for copies that took over
// from hung ones. They are never removed: a lock file's name is all that several launches meet at.
// Depends on: POSIX files and flock. Cannot: say who holds a lock before the holder has written
// its number.
#pragma once

#include <string>

namespace platform::instance {

// How many copies in a row may hang before a launch runs on its own: one lock each.
constexpr int kLocks = 8;

// Opens lock `index` of the row beside `socketPath`, made if `make` (for writing), else only if
// it is there; -1 when it cannot be.
int OpenLock(const std::string& socketPath, int index, bool make);
// Writes this process's number into the lock file `fd` it holds, for the launches that wait.
void SignLock(int fd);
// The process number the holder wrote into lock file `fd`; 0 when none is written yet.
long LockHolder(int fd);
// The last lock after `index` that a copy holds, or -1. Tried shared, so that two launches
// looking at once do not take each other for holders.
int HeldAfter(const std::string& socketPath, int index);

}  // namespace platform::instance
