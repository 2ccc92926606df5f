// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Bytes from outside (a script's word, an option, a resource script's token) as an error
// message may quote them: one short line whatever they hold.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// Control characters and bytes outside ASCII become \xNN (tab \t, line feed \n), and text
// longer than `longest` characters keeps its first ones followed by "...".
std::string Printable(std::string_view text, size_t longest = 40);

}  // namespace platform
