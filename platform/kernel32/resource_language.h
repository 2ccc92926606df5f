// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Which of a resource's languages the loader takes, as Windows' does for FindResourceW and
// LoadStringW: the thread's UI language, then another variety of its primary language (the
// neutral one first), then language-neutral, then English (United States, then any English),
// then whatever the program has.
#pragma once

#include <cstdint>

namespace platform {

// The lower the better for a thread whose UI language is `thread`; never below 0.
int LanguageRank(uint16_t resource, uint16_t thread);

}  // namespace platform
